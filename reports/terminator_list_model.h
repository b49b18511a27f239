#pragma once
// The formations of the window "Lichtgrenze" as its list view reads them:
// held as computed, each cell's text made when the view asks for it, so that
// thousands of formations near the terminator cost nothing until shown.

#include "reports/column_list.h"
#include "reports/terminator_list.h"

#include <QAbstractTableModel>

#include <span>
#include <vector>

class TerminatorListModel : public QAbstractTableModel {
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

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::span<const ListColumn> columns_;
    std::span<const char* const> tips_;
    char decimalSeparator_;
    std::vector<TerminatorFormation> formations_;
};
