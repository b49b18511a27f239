#pragma once
// The formations of the window "Lichtgrenze" as its list view reads them:
// held as computed, each cell's text made when the view asks for it, so that
// thousands of formations near the terminator cost nothing until shown.

#include "reports/column_text_model.h"
#include "reports/terminator_list.h"

#include <span>
#include <vector>

class TerminatorListModel : public ColumnTextModel {
    Q_OBJECT
public:
    /// `columns` gives the headings and which texts line up on the right;
    /// `tips` a tooltip per heading (empty: none). Both must live on.
    TerminatorListModel(std::span<const ListColumn> columns, std::span<const char* const> tips, char decimalSeparator,
                        QObject* parent);

    void SetFormations(std::vector<TerminatorFormation> formations);
    const std::vector<TerminatorFormation>& Formations() const { return formations_; }

    /// The UTF-8 text of a cell, as the list shows it.
    std::string CellText(const TerminatorFormation& formation, int column) const;

    std::size_t RowCount() const override { return formations_.size(); }
    std::string CellText(std::size_t row, int column) const override { return CellText(formations_[row], column); }

private:
    char decimalSeparator_;
    std::vector<TerminatorFormation> formations_;
};
