#pragma once
// The coordinate entry dialog: one latitude or longitude as degrees,
// minutes and seconds, handed back to the site dialog as a decimal-degree
// text. Its caption and prompt are set by the caller; the prompt tells which
// of the two results the entry goes to.

#include "setup/coordinate_entry.h"
#include "windowbase/dialog_protocol.h"

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

inline const QString kLatitudePrompt = QStringLiteral("Breitengrad:");
inline const QString kLongitudePrompt = QStringLiteral("Längengrad:");

class TForm9 : public MireltaDialog {
    Q_OBJECT
public:
    /// `owner` is the site dialog, which is enabled again when this one is left.
    TForm9(QWidget* owner, MessageService& messages, char decimalSeparator);

    /// Runs once, at creation: centres the dialog on the screen.
    void FormCreate() override;
    /// OK: converts the fields into the result the prompt names.
    void Button1Click();
    /// Abbrechen: empties the result the prompt names.
    void Button2Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    /// The results; empty after a cancelled entry. UTF-8.
    std::string EnteredLatitudeText;
    std::string EnteredLongitudeText;

signals:
    /// The dialog was hidden by OK, Abbrechen or its close box.
    void Hidden();

protected:
    /// The close box acts as Abbrechen.
    void CloseRequested() override { Button2Click(); }
    void hideEvent(QHideEvent* event) override;

private:
    /// The result the prompt names, or nullptr for any other prompt.
    std::string* PromptedResult();

    char decimalSeparator_;
};
