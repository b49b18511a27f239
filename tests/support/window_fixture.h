#pragma once
// Everything a window test needs: a scratch working directory with the
// data files it asks for, a scripted message service and the program's
// eight windows created as at start.

#include "app/application.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_working_dir.h"

#include <memory>
#include <string>

class WindowFixture {
public:
    WindowFixture() = default;

    /// Creates the windows as the program does at start; the clock reads
    /// `clockReading`.
    void Start(char decimalSeparator = ',');

    /// Points the program's preferences (QSettings) at a folder inside the
    /// scratch directory; Start does it, tests that write preferences
    /// before starting call it first.
    void UseScratchSettings();

    ClockReading clockReading{2003, 3, 15, 20, 5};

    TForm1& main() { return *windows->Form1; }

    /// Chooses a date and time as the user does: "Datum und Uhrzeit
    /// festlegen", the five fields (day, month, year, hour, minute), "Ok".
    void ChooseTime(const QStringList& fields);

    TempWorkingDir dir;
    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows;
};

/// Saves a picture of `widget` to $MIRELTA_SCREENSHOTS/<name>.png when that
/// variable names a folder, so that a developer can look at the windows.
void SaveScreenshot(QWidget& widget, const QString& name);
