#include "platform/name_completion.h"

#include "platform/name_list_model.h"

#include <QComboBox>
#include <QKeyEvent>

int CompletionIndex(const QStringList& names, const QString& typed)
{
    if (typed.isEmpty()) return -1;
    // A name equal to the text wins over longer ones before it: "Tycho"
    // stays Tycho although "Tycho A" may come first.
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(typed, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].startsWith(typed, Qt::CaseInsensitive)) return static_cast<int>(i);
    return -1;
}

CompletingListEdit::CompletingListEdit(QComboBox* list) : QLineEdit(list), list_(list)
{
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (typing_) CompleteTypedText();
        emit Edited();
    });
}

void CompletingListEdit::keyPressEvent(QKeyEvent* event)
{
    // Only a keystroke that writes a character completes; Backspace and
    // Delete take away the selected remainder first and complete nothing.
    const QString text = event->text();
    typing_ = !text.isEmpty() && text.front().isPrint();
    QLineEdit::keyPressEvent(event);
    typing_ = false;
}

QStringList CompletingListEdit::ListNames() const
{
    // A list of names hands them over whole, without a copy per entry.
    if (const auto* model = qobject_cast<const NameListModel*>(list_->model())) return model->Names();
    QStringList names;
    names.reserve(list_->count());
    for (int i = 0; i < list_->count(); ++i) names.append(list_->itemText(i));
    return names;
}

void CompletingListEdit::CompleteTypedText()
{
    if (hasSelectedText() || cursorPosition() != text().size()) return;
    const QStringList names = ListNames();
    const QString typed = text();
    const int index = CompletionIndex(names, typed);
    if (index < 0) return;
    // The completed name counts as chosen: it becomes the list's current
    // entry, so that the arrow keys go on from it.
    list_->setCurrentIndex(index);
    const QString name = names[index];
    setText(name);
    setSelection(static_cast<int>(typed.size()), static_cast<int>(name.size() - typed.size()));
}
