#include "journal/journal_list_model.h"

#include "journal/height_measurement.h"
#include "platform/number_text.h"
#include "reports/terminator_list.h"

JournalListModel::JournalListModel(std::span<const ListColumn> columns, std::span<const char* const> tips,
                                   char decimalSeparator, QObject* parent)
    : ColumnTextModel(columns, tips, parent), decimalSeparator_(decimalSeparator)
{}

void JournalListModel::SetEntries(std::vector<const JournalEntry*> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

std::string JournalListModel::CellText(std::size_t row, int column) const
{
    const JournalMeasurement& m = entries_[row]->Measurement;
    switch (column) {
        case Date:
            return JournalDateText(m);
        case Time:
            return JournalTimeText(m);
        case Formation:
            return m.Formation;
        case Site:
            return m.SiteName;
        case Transit:
            return IsPhotoMeasurement(m) ? std::string("Foto")
                                         : FloatToText(m.TransitSeconds, decimalSeparator_) + " s";
        case Height:
            return HeightText(m.Height, decimalSeparator_);
        case Deviation:
            return DeviationText(m.Height, m.CatalogueHeight);
        case SunAltitude:
            return OneDecimalText(m.SunAltitude, decimalSeparator_) + "°";
        default:
            return {};
    }
}

QVariant JournalListModel::data(const QModelIndex& index, int role) const
{
    // A measurement on a photograph names its picture.
    if (role == Qt::ToolTipRole && index.isValid() && index.column() == Transit &&
        static_cast<std::size_t>(index.row()) < entries_.size()) {
        const JournalMeasurement& m = entries_[static_cast<std::size_t>(index.row())]->Measurement;
        if (IsPhotoMeasurement(m))
            return QStringLiteral("Auf dem Foto ") + QString::fromStdString(m.PhotoName) + QStringLiteral(" gemessen");
    }
    return ColumnTextModel::data(index, role);
}
