#pragma once
// The Moon position report.

#include "reports/report_window.h"

class TForm5 : public ReportWindow {
    Q_OBJECT
public:
    TForm5(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;
};
