#include "tests/support/recording_messages.h"

void RecordingMessageService::Show(const QString& caption, const QString& text, MessageIcon icon)
{
    messages_.append({RecordedMessage::Kind::Box, caption, text, icon});
}

bool RecordingMessageService::Confirm(const QString& caption, const QString& text)
{
    messages_.append({RecordedMessage::Kind::Confirm, caption, text, MessageIcon::Warning});
    if (confirmAnswers_.empty()) return false;
    bool answer = confirmAnswers_.front();
    confirmAnswers_.pop_front();
    return answer;
}

QString RecordingMessageService::Prompt(const QString& caption, const QString& prompt, const QString& defaultText)
{
    messages_.append({RecordedMessage::Kind::Prompt, caption, prompt, MessageIcon::Information});
    if (promptAnswers_.empty()) return defaultText;
    QString answer = promptAnswers_.front();
    promptAnswers_.pop_front();
    return answer.isNull() ? defaultText : answer;
}
