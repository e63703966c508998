#include "transfer/dialog/FailureReport.h"

#include "transfer/PathComponent.h"

#include <QStringList>

QString FailureReportText(const CopyOutcome& outcome) {
    QStringList lines;
    for (const CopyFailure& failure : outcome.failures) {
        // Named as its copy would have been named on disk.
        const QString title =
            QString::fromStdString(failure.title.empty() ? kUnknownTitle : failure.title);
        QString line = QStringLiteral("%1: %2").arg(title, CopyFailureText(failure.reason));
        if (!failure.source.empty())
            line += QStringLiteral(" (%1)").arg(QString::fromStdString(failure.source));
        lines << line;
    }
    for (const UntaggedCopy& copy : outcome.untagged) {
        const QString title =
            QString::fromStdString(copy.title.empty() ? kUnknownTitle : copy.title);
        lines << QStringLiteral("%1: copied, not tagged: %2 (%3)")
                     .arg(title, QString::fromStdString(copy.reason),
                          QString::fromStdString(copy.destination));
    }
    return lines.join(QLatin1Char('\n'));
}
