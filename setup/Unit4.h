#pragma once
// The observation date and time dialog (MEZ, never summer time).

#include "astronomy/Rechn.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

/// The five fields of the dialog as typed.
struct TimeFields {
    std::string Day, Month, Year, Hour, Minute;
};

/// A checked observation date and time.
struct ObservationTime {
    int Day = 0, Month = 0, Year = 0, Hour = 0, Minute = 0;
};

/// Reads the fields as whole numbers and checks them: month 1..12, day
/// within the month (leap years by the Gregorian rule, for every year),
/// year 1..9999, hour 0..23, minute 0..59. Nothing when a value is out of
/// range. Fields are read in the order month; for a valid month the year
/// (February only) and the day; then year, hour and minute; the first field
/// that is not a whole number throws ConversionError. A minute field of a
/// "0" and one more character is read as that character alone.
std::optional<ObservationTime> ReadTimeFields(const TimeFields& fields);

class TForm4 : public MireltaDialog {
    Q_OBJECT
public:
    /// `refreshMainWindow` runs the main window's list selection after Ok.
    TForm4(QWidget* owner, MessageService& messages, ObservationState& state, std::function<void()> refreshMainWindow);

    /// Fill step: runs at creation and at every opening.
    void FormCreate() override;
    /// Ok: checks the fields and stores them in the state.
    void Button1Click();
    /// Abbrechen: the state keeps its date and time.
    void Button2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    /// A close request acts as Abbrechen.
    void CloseRequested() override { Button2Click(); }

private:
    ObservationState& state_;
    std::function<void()> refreshMainWindow_;
};
