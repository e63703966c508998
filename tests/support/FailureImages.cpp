#include "support/FailureImages.h"

#include <QColor>
#include <QDir>

#include <gtest/gtest.h>

namespace {

QString FailureImagePath(const char* what, const char* kind) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name = QStringLiteral("%1.%2.%3.%4.png")
                       .arg(QString::fromLatin1(info ? info->test_suite_name() : "none"),
                            QString::fromLatin1(info ? info->name() : "none"),
                            QString::fromLatin1(what), QString::fromLatin1(kind));
    // Parameterised tests' names hold slashes.
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QDir::current().absoluteFilePath(name);
}

QImage Diff(const QImage& actual, const std::vector<QPoint>& wrong) {
    QImage diff = actual.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < diff.height(); ++y)
        for (int x = 0; x < diff.width(); ++x) {
            const int grey = 128 + qGray(diff.pixel(x, y)) / 4;
            diff.setPixel(x, y, qRgb(grey, grey, grey));
        }
    for (const QPoint& pixel : wrong)
        if (diff.rect().contains(pixel))
            diff.setPixel(pixel, qRgb(255, 0, 0));
    return diff;
}

} // namespace

QString SaveFailureImages(const QImage& actual, const char* what,
                          const std::vector<QPoint>& wrong) {
    QString written = FailureImagePath(what, "actual");
    actual.save(written);
    if (!wrong.empty()) {
        const QString diff = FailureImagePath(what, "diff");
        Diff(actual, wrong).save(diff);
        written += QStringLiteral(" and ") + diff;
    }
    return written;
}
