#pragma once
// The observing conditions report: the Moon's phase as a word and a
// picture, its azimuth and altitude, and a two-line verdict whether it can
// usefully be observed now.

#include "reports/report_window.h"

class QGroupBox;

class TForm7 : public ReportWindow {
    Q_OBJECT
public:
    TForm7(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;

    QGroupBox* GroupBox1 = nullptr;  ///< "Mondphase"
    QLabel* Image1 = nullptr;        ///< phase picture, 130 x 120
    QLabel* Label4 = nullptr;        ///< date line
    QLabel* Label5 = nullptr;        ///< time line
    QLabel* Label3 = nullptr;        ///< phase word
    QLabel* Label20 = nullptr;       ///< "Azimut:"
    QLabel* Label21 = nullptr;       ///< "Höhe:"
    QLabel* Label22 = nullptr;       ///< azimuth
    QLabel* Label23 = nullptr;       ///< altitude
    QGroupBox* GroupBox2 = nullptr;  ///< "Beobachtungsmöglichkeiten"
    QLabel* Label1 = nullptr;        ///< first verdict line
    QLabel* Label2 = nullptr;        ///< second verdict line
};
