#pragma once
// The measurements "Messprotokoll" lists, as its list view reads them: the
// shown entries are pointers into the journal read, and each cell's text is
// made when the view asks for it, so that 100,000 measurements cost their
// entries and not a widget item per cell.

#include "journal/measurement_journal.h"
#include "reports/column_text_model.h"

#include <span>
#include <vector>

class JournalListModel : public ColumnTextModel {
    Q_OBJECT
public:
    enum Column { Date, Time, Formation, Site, Transit, Height, Deviation, SunAltitude, ColumnCount };

    /// `columns` and `tips` as ColumnTextModel takes them.
    JournalListModel(std::span<const ListColumn> columns, std::span<const char* const> tips, char decimalSeparator,
                     QObject* parent);

    /// The rows, newest first; the entries must live on until the next call.
    void SetEntries(std::vector<const JournalEntry*> entries);
    const std::vector<const JournalEntry*>& Entries() const { return entries_; }

    std::size_t RowCount() const override { return entries_.size(); }
    std::string CellText(std::size_t row, int column) const override;
    /// The texts, and for a measurement on a photograph the picture's name
    /// as the tooltip of its "Foto".
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    char decimalSeparator_;
    std::vector<const JournalEntry*> entries_;
};
