#pragma once
// What the three report windows share: a fixed 296 x 307 dialog without
// border icons, centred over the main window at every fill, left through
// its "Ok" button.

#include "app/dialog_protocol.h"
#include "astronomy/Rechn.h"

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
