#include "app/CCorvaneApp.h"
#include "packaging/Version.h"

#include <QApplication>

#include <algorithm>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    // Answered before the toolkit opens a display or the instance lock is
    // taken: a terminal without a desktop, or one beside a running Corvane,
    // still gets the answer.
    if (std::any_of(argv + 1, argv + argc,
                    [](const char* arg) { return std::strcmp(arg, "--version") == 0; })) {
        std::cout << "corvane " << kCorvaneVersion << "\n";
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    return CCorvaneApp().InitInstance();
}
