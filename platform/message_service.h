#pragma once
// Message boxes and the one-line prompt, behind one interface so that tests
// can answer them without a real modal box.

#include <QString>

class QWidget;

enum class MessageIcon { Warning, Information, Error };

class MessageService {
public:
    virtual ~MessageService() = default;

    /// A box with one OK button.
    virtual void Show(const QString& caption, const QString& text, MessageIcon icon) = 0;

    /// Yes/No question with the warning icon; true only for Yes.
    virtual bool Confirm(const QString& caption, const QString& text) = 0;

    /// One-line input with "OK" and "Abbrechen"; "Abbrechen" (or closing the
    /// prompt) returns `defaultText` unchanged. The field keeps one line,
    /// like every edit field of the program (KeepOneLine).
    virtual QString Prompt(const QString& caption, const QString& prompt, const QString& defaultText) = 0;

    void Warn(const QString& caption, const QString& text) { Show(caption, text, MessageIcon::Warning); }
    void Inform(const QString& caption, const QString& text) { Show(caption, text, MessageIcon::Information); }
    void Error(const QString& caption, const QString& text) { Show(caption, text, MessageIcon::Error); }
};

/// The real boxes, with German button texts.
class QtMessageService : public MessageService {
public:
    void Show(const QString& caption, const QString& text, MessageIcon icon) override;
    bool Confirm(const QString& caption, const QString& text) override;
    QString Prompt(const QString& caption, const QString& prompt, const QString& defaultText) override;
};
