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
            return FloatToText(m.TransitSeconds, decimalSeparator_) + " s";
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
