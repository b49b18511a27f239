#pragma once
// The observation date and time dialog.

#include "app/dialog_protocol.h"

class QPushButton;

class TForm4 : public MireltaDialog {
    Q_OBJECT
public:
    TForm4(QWidget* owner, MessageService& messages);

    /// Fill step: runs at creation and at every opening.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
