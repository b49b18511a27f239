#pragma once
// The physical ephemerides report.

#include "reports/report_window.h"

class TForm6 : public ReportWindow {
    Q_OBJECT
public:
    TForm6(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;
};
