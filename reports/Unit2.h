#pragma once
// The about box: program name and version, logo, credits.

#include "app/dialog_protocol.h"

class QLabel;
class QPushButton;

class TForm2 : public MireltaDialog {
    Q_OBJECT
public:
    TForm2(QWidget* owner, MessageService& messages);

    /// Runs once, at creation: centres the box over the main window.
    void FormCreate() override;
    void Button1Click();

    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
};
