#pragma once
// What the three report windows share: a fixed 296 x 307 dialog without
// border icons, centred over the main window at every fill, left through
// its "Ok" button; and the kinds of labels the reports are made of.

#include "astronomy/Rechn.h"
#include "reports/report_texts.h"
#include "windowbase/dialog_protocol.h"

#include <string>

class QLabel;
class QPushButton;

class ReportWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 296;
    static constexpr int kClientHeight = 307;

    ReportWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                 const QString& caption);

    /// Hides the report and enables the main window again.
    void Button1Click();

    QPushButton* Button1 = nullptr;

protected:
    ObservationState& state_;
    char decimalSeparator_;
};

/// A bold row caption at (x, y).
QLabel* PlaceCaption(QWidget* parent, const char* name, const QString& text, int x, int y);

/// A Greek letter, bold at 16 pixels, at height y, centred over the four
/// blanks that `caption` leaves for it before its colon or slash.
QLabel* PlaceGreekLetter(QWidget* parent, const char* name, const QString& letter, const QLabel* caption, int y);

/// A blue value label at (x, y) whose text ends at the right edge of its
/// `width` pixels, so that values of different lengths line up on the right.
QLabel* PlaceRightAlignedValue(QWidget* parent, const char* name, int x, int y, int width);

/// A black label at (x, y), `width` pixels wide, for a text filled later.
QLabel* PlaceTextLine(QWidget* parent, const char* name, int x, int y, int width);

/// Gives an azimuth's caption and value the hint where it is counted from,
/// shown as their tooltip.
void ExplainAzimuth(QLabel* caption, QLabel* value);

/// Shows a UTF-8 text in a label.
void SetText(QLabel* label, std::string_view text);

/// Shows a UTF-8 text in a label, set a little narrower when it would not
/// fit the label's width otherwise.
void SetFittedText(QLabel* label, std::string_view text);

/// The three heading lines of a report (date, site, coordinates).
struct HeadingLabels {
    QLabel* date = nullptr;
    QLabel* site = nullptr;
    QLabel* coordinates = nullptr;

    /// Places them as Label1, Label2 and Label3 at the top left.
    static HeadingLabels Place(QWidget* parent);
    void Show(const ReportHeading& heading) const;
};
