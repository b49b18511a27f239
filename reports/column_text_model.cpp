#include "reports/column_text_model.h"

ColumnTextModel::ColumnTextModel(std::span<const ListColumn> columns, std::span<const char* const> tips,
                                 QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), tips_(tips)
{}

int ColumnTextModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(RowCount());
}

int ColumnTextModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ColumnTextModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(CellText(static_cast<std::size_t>(index.row()), index.column()));
    if (role == Qt::TextAlignmentRole && columns_[static_cast<std::size_t>(index.column())].rightAligned)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant ColumnTextModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const auto column = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole) return QString::fromUtf8(columns_[column].caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(columns_[column].rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    if (role == Qt::ToolTipRole && column < tips_.size() && tips_[column] && *tips_[column])
        return QString::fromUtf8(tips_[column]);
    return {};
}
