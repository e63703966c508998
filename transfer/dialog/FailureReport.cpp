#include "transfer/dialog/FailureReport.h"

#include <QStringList>

QString FailureReportText(const CopyOutcome& outcome) {
    QStringList lines;
    for (const CopyFailure& failure : outcome.failures) {
        const QString title = failure.title.empty() ? QStringLiteral("(untitled)")
                                                    : QString::fromStdString(failure.title);
        QString line = QStringLiteral("%1: %2").arg(title, CopyFailureText(failure.reason));
        if (!failure.source.empty())
            line += QStringLiteral(" (%1)").arg(QString::fromStdString(failure.source));
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}
