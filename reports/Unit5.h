#pragma once
// The Moon position report: Julian date, right ascension and declination,
// ecliptic latitude and longitude, distance, azimuth and altitude of the
// Moon for the observation's date, time and site.

#include "reports/report_window.h"

class TForm5 : public ReportWindow {
    Q_OBJECT
public:
    TForm5(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;

    // Heading lines.
    QLabel* Label1 = nullptr;  ///< date and time
    QLabel* Label2 = nullptr;  ///< site name
    QLabel* Label3 = nullptr;  ///< site coordinates
    // Row captions and the Greek letters in their gaps.
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label16 = nullptr;  ///< alpha
    QLabel* Label17 = nullptr;  ///< delta
    QLabel* Label18 = nullptr;  ///< beta
    QLabel* Label19 = nullptr;  ///< lambda
    // Values.
    QLabel* Label10 = nullptr;  ///< Julian date
    QLabel* Label11 = nullptr;  ///< right ascension, hours
    QLabel* Label12 = nullptr;  ///< declination
    QLabel* Label13 = nullptr;  ///< ecliptic latitude
    QLabel* Label14 = nullptr;  ///< ecliptic longitude
    QLabel* Label15 = nullptr;  ///< distance, Earth radii
    QLabel* Label22 = nullptr;  ///< azimuth
    QLabel* Label23 = nullptr;  ///< altitude

private:
    HeadingLabels heading_;
};
