// The general error report and the guard around every handler.

#include "platform/error_report.h"
#include "platform/errors.h"
#include "tests/support/recording_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorReport, AddsAFullStopUnlessPresent)
{
    EXPECT_EQ(ErrorReportText("Datei nicht gefunden"), "Datei nicht gefunden.");
    EXPECT_EQ(ErrorReportText("Schon da."), "Schon da.");
}

TEST(RunGuarded, ReportsTheErrorAndKeepsWhatWasDone)
{
    RecordingMessageService messages;
    int steps = 0;
    RunGuarded(messages, [&] {
        ++steps;
        throw FileNotFoundError();
        ++steps;  // never reached
    });
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(messages.messages().size(), 1);
    const RecordedMessage& shown = messages.messages().first();
    EXPECT_EQ(shown.caption, "Mirelta");
    EXPECT_EQ(shown.text, "Datei nicht gefunden.");
    EXPECT_EQ(shown.icon, MessageIcon::Error);
}

TEST(RunGuarded, ShowsGermanConversionTextsWithUmlauts)
{
    RecordingMessageService messages;
    RunGuarded(messages, [] { throw ConversionError("'x' ist kein gültiger Integerwert"); });
    EXPECT_EQ(messages.lastText(), QString::fromUtf8("'x' ist kein gültiger Integerwert."));
}

TEST(RunGuarded, SilentWhenNothingFails)
{
    RecordingMessageService messages;
    bool ran = false;
    RunGuarded(messages, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(messages.messages().isEmpty());
}

}  // namespace
