#pragma once
// The observing conditions report.

#include "reports/report_window.h"

class TForm7 : public ReportWindow {
    Q_OBJECT
public:
    TForm7(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator);

    /// Fills the report; runs at creation and at every opening.
    void FormCreate() override;
};
