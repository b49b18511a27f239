#include "reports/ephemeris_table_model.h"

#include "reports/ephemeris_table_text.h"
#include "reports/report_texts.h"

EphemerisTableModel::EphemerisTableModel(char decimalSeparator, QObject* parent)
    : QAbstractTableModel(parent), decimalSeparator_(decimalSeparator)
{}

void EphemerisTableModel::SetRows(std::vector<EphemerisRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int EphemerisTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EphemerisTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(EphemerisColumnCount);
}

QVariant EphemerisTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(EphemerisDisplayField(
            rows_[static_cast<std::size_t>(index.row())], static_cast<std::size_t>(index.column()), decimalSeparator_));
    if (role == Qt::TextAlignmentRole && IsEphemerisNumberColumn(static_cast<std::size_t>(index.column())))
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

QVariant EphemerisTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section == static_cast<int>(EphemerisAzimuthColumn))
        return QString::fromUtf8(kAzimuthCounting.data(), static_cast<qsizetype>(kAzimuthCounting.size()));
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columnCount()) return {};
    const std::string_view name = EphemerisColumnNames[static_cast<std::size_t>(section)];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
