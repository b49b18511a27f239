#pragma once
// The physical ephemerides report: librations in latitude and longitude,
// the Sun's selenographic latitude, the terminator and the position angle
// of the Moon's axis for the observation's date and time.

#include "reports/report_window.h"

class TForm6 : public ReportWindow {
    Q_OBJECT
public:
    TForm6(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;

    // Heading lines.
    QLabel* Label1 = nullptr;  ///< date and time
    QLabel* Label2 = nullptr;  ///< site name
    QLabel* Label3 = nullptr;  ///< site coordinates
    // Captions: two rows per quantity.
    QLabel* Label4 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label22 = nullptr;  ///< theta, in the gap of Label20
    // Values.
    QLabel* Label10 = nullptr;  ///< libration in latitude B
    QLabel* Label11 = nullptr;  ///< libration in longitude L
    QLabel* Label13 = nullptr;  ///< selenographic latitude of the Sun
    QLabel* Label12 = nullptr;  ///< terminator
    QLabel* Label14 = nullptr;  ///< position angle of the axis

private:
    HeadingLabels heading_;
};
