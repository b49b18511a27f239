#pragma once
// A message service for tests: records every box and answers confirmations
// and prompts from a script, so no test ever blocks on a modal box.

#include "platform/message_service.h"

#include <QList>
#include <QString>
#include <deque>

struct RecordedMessage {
    enum class Kind { Box, Confirm, Prompt };
    Kind kind = Kind::Box;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
};

class RecordingMessageService : public MessageService {
public:
    void Show(const QString& caption, const QString& text, MessageIcon icon) override;
    bool Confirm(const QString& caption, const QString& text) override;
    QString Prompt(const QString& caption, const QString& prompt, const QString& defaultText) override;

    /// Answers for the next Confirm calls, in order; without one, No.
    void QueueConfirmAnswer(bool yes) { confirmAnswers_.push_back(yes); }
    /// Answers for the next Prompt calls; a null QString stands for "Abbrechen".
    void QueuePromptAnswer(const QString& answer) { promptAnswers_.push_back(answer); }

    const QList<RecordedMessage>& messages() const { return messages_; }
    void clear() { messages_.clear(); }
    /// The text of the last message, or an empty string.
    QString lastText() const { return messages_.isEmpty() ? QString() : messages_.last().text; }

private:
    QList<RecordedMessage> messages_;
    std::deque<bool> confirmAnswers_;
    std::deque<QString> promptAnswers_;
};
