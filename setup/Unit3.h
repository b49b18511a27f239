#pragma once
// The observation site dialog.

#include "app/dialog_protocol.h"

class QPushButton;

class TForm3 : public MireltaDialog {
    Q_OBJECT
public:
    TForm3(QWidget* owner, MessageService& messages);

    /// Refresh: runs at creation and at every opening.
    void FormCreate() override;
    void Button1Click();
    void Button2Click();

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};
