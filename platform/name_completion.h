#pragma once
// Inline completion in an editable list, as desktop lists offer it: what
// the user types at the end of the text is completed to a name of the list,
// and the completed remainder stays selected, so that the next keystroke
// replaces it.

#include <QLineEdit>
#include <QStringList>

class QComboBox;

/// The name a typed text completes to: the first of `names` (in their order)
/// equal to `typed`, or else the first that begins with it, both ignoring
/// letter case (umlauts included: "är" finds "Ärmel", not "Armin"); -1 when
/// `typed` is empty or no name begins with it.
int CompletionIndex(const QStringList& names, const QString& typed);

/// The edit field of an editable list that completes typed names. A
/// keystroke that adds text at the end makes the list's entry of
/// CompletionIndex current, shows its name with the completed part selected
/// and then reports the change; Backspace, Delete and every other change
/// (also a text that completes to nothing) are reported as they are.
class CompletingListEdit : public QLineEdit {
    Q_OBJECT
public:
    /// The field of `list`, which it becomes with list->setLineEdit().
    explicit CompletingListEdit(QComboBox* list);

signals:
    /// The user changed the text; a completion has been made by now.
    void Edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CompleteTypedText();
    /// The entries of the list, in its order.
    QStringList ListNames() const;

    QComboBox* list_;
    bool typing_ = false;  // a keystroke that inserts text is being handled
};
