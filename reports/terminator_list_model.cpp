#include "reports/terminator_list_model.h"

TerminatorListModel::TerminatorListModel(std::span<const ListColumn> columns, std::span<const char* const> tips,
                                         char decimalSeparator, QObject* parent)
    : ColumnTextModel(columns, tips, parent), decimalSeparator_(decimalSeparator)
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
