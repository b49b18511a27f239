#pragma once
// The ephemeris table as the window's table view reads it: the rows held
// as numbers, each cell's text made when the view asks for it.

#include "observing/ephemeris_table.h"

#include <QAbstractTableModel>

#include <vector>

class EphemerisTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    EphemerisTableModel(char decimalSeparator, QObject* parent);

    void SetRows(std::vector<EphemerisRow> rows);
    const std::vector<EphemerisRow>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    char decimalSeparator_;
    std::vector<EphemerisRow> rows_;
};
