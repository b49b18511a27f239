#pragma once
// The general error report and the guard every event handler runs inside:
// an error ends the handler where it occurs, is shown in a box titled
// "Mirelta" with the error icon, and the program goes on with whatever the
// handler had done before.

#include "platform/message_service.h"

#include <exception>
#include <utility>

/// The text shown for an error: its message with a full stop added unless
/// it already ends in one.
QString ErrorReportText(const QString& message);

/// Shows the report for `error`.
void ShowErrorReport(MessageService& messages, const std::exception& error);

/// Runs `handler`; any exception it throws is reported and swallowed, so Qt
/// never sees one.
template <class Handler>
void RunGuarded(MessageService& messages, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ShowErrorReport(messages, error);
    } catch (...) {
        messages.Error(QStringLiteral("Mirelta"), ErrorReportText(QStringLiteral("Unbekannter Fehler")));
    }
}
