#pragma once
// The window "Lichtgrenze": the formations of the catalogue near the
// terminator at the observation's date and time, ranked for a height
// measurement, with the shadow transit time to expect. A double click on a
// row chooses that formation in the main window.
//
// Speed: opening it again over the 9,049 formations of the IAU gazetteer
// takes about 3 ms, over 100,000 generated ones about 20 ms, most of it
// finding the expected transit time of the 7,000 near the terminator
// (bench/windows_bench). The list's texts are made only for the rows shown.

#include "astronomy/observation_state.h"
#include "reports/terminator_list.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QModelIndex;
class QTreeView;
class TerminatorListModel;

class TerminatorWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 740;
    static constexpr int kClientHeight = 400;

    /// Where the formations come from (the catalogue file as it is at every
    /// opening: the same list while the file is unchanged), and what
    /// choosing one does (the main window's choice of that name in its
    /// object list).
    using FormationSource = std::function<std::shared_ptr<const std::vector<CatalogueFormation>>()>;
    using FormationChooser = std::function<void(const std::string& name)>;

    /// The columns of the list, left to right.
    enum Column {
        NameColumn,
        KindColumn,
        SunAltitudeColumn,
        SideColumn,
        HeightColumn,
        TransitColumn,
        ReasonColumn,
        ColumnCount
    };

    TerminatorWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                     FormationSource source, FormationChooser choose);

    /// Centres the window over the main window, reads the formations and
    /// lists those near the terminator for the state's date, time and site.
    void FormCreate() override;

    /// "Ok", Enter and Escape: hides the window and enables the main window.
    void OkButtonClick();

    /// A double click on a row: leaves the window as "Ok" does, then
    /// chooses the row's formation in the main window.
    void FormationListDoubleClick(const QModelIndex& row);

    QLabel* HeadingLabel = nullptr;
    TerminatorListModel* Formations = nullptr;  ///< what FormationList shows
    QTreeView* FormationList = nullptr;
    QLabel* CountLabel = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void FillList(std::vector<TerminatorFormation> formations);

    ObservationState& state_;
    char decimalSeparator_;
    FormationSource source_;
    // The catalogue of the last opening and its formations with their
    // places, kept while the catalogue is the same.
    std::shared_ptr<const std::vector<CatalogueFormation>> catalogue_;
    PlacedFormations placed_;
    FormationChooser choose_;
};
