#include "reports/terminator_list_model.h"

TerminatorListModel::TerminatorListModel(std::span<const ListColumn> columns, std::span<const char* const> tips,
                                         char decimalSeparator, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns), tips_(tips), decimalSeparator_(decimalSeparator)
{}

void TerminatorListModel::SetFormations(std::vector<TerminatorFormation> formations)
{
    beginResetModel();
    formations_ = std::move(formations);
    endResetModel();
}

std::string TerminatorListModel::CellText(const TerminatorFormation& f, int column) const
{
    switch (column) {
        case 0:
            return f.Name;
        case 1:
            return f.Kind;
        case 2:
            return OneDecimalText(f.SunAltitude, decimalSeparator_) + "°";
        case 3:
            return TerminatorSideText(f.Side);
        case 4:
            return CatalogueHeightText(f.Height);
        case 5:
            return TimedTransitText(f, decimalSeparator_);
        case 6:
            return TimingReasonText(f, decimalSeparator_);
        default:
            return {};
    }
}

int TerminatorListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(formations_.size());
}

int TerminatorListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TerminatorListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(CellText(formations_[static_cast<std::size_t>(index.row())], index.column()));
    if (role == Qt::TextAlignmentRole && columns_[static_cast<std::size_t>(index.column())].rightAligned)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant TerminatorListModel::headerData(int section, Qt::Orientation orientation, int role) const
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
