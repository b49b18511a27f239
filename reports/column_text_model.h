#pragma once
// A table model for long lists whose texts are made only when a view asks
// for them: the columns give headings, alignment and tooltips; a subclass
// says how many rows there are and what each cell holds. Thousands of rows
// then cost their data, not a widget item per cell.

#include "reports/column_list.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <span>
#include <string>

class ColumnTextModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// `columns` gives the headings and which texts line up on the right;
    /// `tips` a tooltip per heading (empty or null: none). Both must live on.
    ColumnTextModel(std::span<const ListColumn> columns, std::span<const char* const> tips, QObject* parent);

    /// The number of rows.
    virtual std::size_t RowCount() const = 0;
    /// The UTF-8 text of a cell, as the list shows it.
    virtual std::string CellText(std::size_t row, int column) const = 0;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::span<const ListColumn> columns_;
    std::span<const char* const> tips_;
};
