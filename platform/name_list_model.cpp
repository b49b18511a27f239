#include "platform/name_list_model.h"

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= names_.size()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return names_[index.row()];
}

void NameListModel::SetNames(QStringList names)
{
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}
