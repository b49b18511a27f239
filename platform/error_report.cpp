#include "platform/error_report.h"

QString ErrorReportText(const QString& message)
{
    if (message.endsWith(QLatin1Char('.'))) return message;
    return message + QLatin1Char('.');
}

void ShowErrorReport(MessageService& messages, const std::exception& error)
{
    messages.Error(QStringLiteral("Mirelta"), ErrorReportText(QString::fromUtf8(error.what())));
}
