#pragma once
// The entries of a long list of names as its view reads them: a plain list
// of texts, replaced whole. A list widget's own model keeps an item with a
// table of roles for every entry, which costs time and memory per name with
// a catalogue of a hundred thousand.

#include <QAbstractListModel>
#include <QStringList>

class NameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /// The name for the display and edit roles; nothing else.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    /// Replaces every entry; the views start over (a model reset).
    void SetNames(QStringList names);
    const QStringList& Names() const { return names_; }

private:
    QStringList names_;
};
