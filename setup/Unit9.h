#pragma once
// The coordinate entry dialog: one latitude or longitude as degrees,
// minutes and seconds. Its caption is set by the caller.

#include "app/dialog_protocol.h"

class QPushButton;

class TForm9 : public MireltaDialog {
    Q_OBJECT
public:
    TForm9(QWidget* owner, MessageService& messages, char decimalSeparator);

    /// Runs once, at creation: centres the dialog on the screen.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    char decimalSeparator_;
};
