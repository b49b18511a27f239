#pragma once
// The window "Beobachtungsplaner": on its first page the intervals of the
// coming days in which a formation can be measured from the site (the Sun
// low over it, the Moon high, the sky dark), on its second page the
// ephemeris table for a range of days, with its export as a CSV file.
//
// Neither page changes the observation state: both compute on copies.
//
// Speed: a plan of 30 days takes 0.5 to 1.6 ms of processor time, the most
// in winter with its long nights (bench/planner_bench); opening the window
// 4 ms (bench/windows_bench).

#include "observing/ephemeris_table.h"
#include "observing/observation_planner.h"
#include "platform/name_order.h"
#include "reports/terminator_list.h"
#include "windowbase/dialog_protocol.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class EphemerisTableModel;
class NameListModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeWidget;

class PlannerWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 640;
    static constexpr int kClientHeight = 470;

    /// The most rows the table page shows (a year at 10-minute steps).
    static constexpr std::int64_t kMostTableRows = 60000;

    /// Where the formations come from (the catalogue file as it is at every
    /// opening: the same list while the file is unchanged), which one the main window has chosen, and where an export
    /// goes (a file dialog; tests answer it). An empty path cancels.
    using FormationSource = std::function<std::shared_ptr<const std::vector<CatalogueFormation>>()>;
    using ChosenFormation = std::function<std::string()>;
    using ExportPathChooser = std::function<QString(QWidget* parent, const QString& suggestion)>;

    /// The columns of the interval list, left to right.
    enum IntervalColumn {
        DateColumn,
        StartColumn,
        EndColumn,
        BestColumn,
        TransitColumn,
        MoonAltitudeColumn,
        ColongitudeColumn,
        IntervalColumnCount
    };

    PlannerWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                  FormationSource source, ChosenFormation chosen);

    void SetExportPathChooser(ExportPathChooser chooser) { choosePath_ = std::move(chooser); }

    /// Centres the window, reads the formations, sets every field to its
    /// default (the main window's formation, the observation's date, time
    /// and site, 30 days, the three limits) and computes both pages.
    void FormCreate() override;

    // Handlers.
    void FormationBoxChange();  ///< another formation: its plan
    void PlanButtonClick();     ///< "Berechnen" on the planner page
    void TableButtonClick();    ///< "Berechnen" on the table page
    void ExportButtonClick();   ///< "Exportieren...": the table as a CSV file
    void OkButtonClick();       ///< "Ok", Enter, Escape: hides the window

    /// What the pages computed last.
    const std::vector<PlanInterval>& Intervals() const { return intervals_; }
    const std::vector<EphemerisRow>& TableRows() const;

    QTabWidget* Pages = nullptr;

    // The planner page.
    QComboBox* FormationBox = nullptr;
    QLabel* FormationLabel = nullptr;  ///< coordinates and height of the formation
    QLabel* RangeLabel = nullptr;      ///< site and range of the plan
    QLineEdit* DaysEdit = nullptr;
    QLineEdit* LowestSunEdit = nullptr;
    QLineEdit* HighestSunEdit = nullptr;
    QLineEdit* MoonAltitudeEdit = nullptr;
    QLineEdit* SunAltitudeEdit = nullptr;
    QPushButton* PlanButton = nullptr;
    QTreeWidget* IntervalList = nullptr;
    QLabel* PlanCountLabel = nullptr;

    // The table page.
    QLineEdit* FromEdit = nullptr;
    QLineEdit* ToEdit = nullptr;
    QLineEdit* TimeEdit = nullptr;
    QLineEdit* StepEdit = nullptr;
    QComboBox* StepUnitBox = nullptr;  ///< "Minuten", "Stunden", "Tage"
    QPushButton* TableButton = nullptr;
    QTableView* TableView = nullptr;
    QLabel* TableCountLabel = nullptr;
    QPushButton* ExportButton = nullptr;

    QPushButton* OkButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// A formation of the catalogue that can be placed on the Moon.
    struct Formation {
        std::string Name;
        PlannedFormation Planned;
        std::string HeightText;  ///< as the catalogue gives it
    };

    void CreatePlannerPage(QWidget* page);
    void CreateTablePage(QWidget* page);
    void ReadFormations();
    /// Lists the formations (sorted) with their names in FormationBox.
    void ShowFormations(std::vector<Formation> formations, QStringList names);
    void SetPlanDefaults();
    /// The lower Sun limit for the chosen formation (DefaultPlanningLimits),
    /// unless the user changed the one set before.
    void SetLowestSunDefault();
    void SetTableDefaults();
    void ComputePlan();
    void ComputeTable();
    void ShowIntervals();
    /// The limits and days typed on the planner page; nothing (after a
    /// message) when one is out of range. Throws ConversionError for a text
    /// that is no number.
    std::optional<PlanningLimits> ReadLimits(int& days);
    /// The range typed on the table page; nothing (after a message) when it
    /// is not a valid range.
    std::optional<EphemerisTableRange> ReadTableRange();
    void Warn(const QString& text);
    const Formation* ChosenFormationOfBox() const;

    ObservationState& state_;
    char decimalSeparator_;
    FormationSource source_;
    ChosenFormation chosen_;
    ExportPathChooser choosePath_;
    std::vector<Formation> formations_;        ///< in the order of FormationBox
    NameListModel* formationNames_ = nullptr;  ///< the entries of FormationBox
    // The catalogue the formations were made from, kept while it is the same,
    // and the keys of its names' alphabetical order.
    std::shared_ptr<const std::vector<CatalogueFormation>> catalogue_;
    AlphabeticalSorter sorter_;
    std::vector<PlanInterval> intervals_;
    QString lowestSunDefault_;  ///< the lower Sun limit the window set last, as shown
    EphemerisTableModel* tableModel_ = nullptr;
};
