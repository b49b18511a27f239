#pragma once
// The window "Messprotokoll": the saved measurements of the chosen
// formation (or of all), newest first, and per formation and observing
// night their count, mean height, scatter and the precision of the mean;
// timings and measurements on photographs side by side.
// Rows can be deleted (after a question) and the shown ones exported.
// The file and the statistics live in journal/measurement_journal.h and
// journal/journal_statistics.h.
//
// Speed (bench/journal_bench, CPU time): opening on 2,000 measurements
// takes about 3 ms, on 10,000 about 18 ms. Memory (bench/
// journal_memory_bench): the measurements' texts are made only when shown
// (journal/journal_list_model.h), so with 100,000 of them the whole program
// peaks at about 81 MiB.

#include "journal/journal_list_model.h"
#include "journal/measurement_journal.h"
#include "windowbase/dialog_protocol.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;
class QTreeWidget;

class JournalWindow : public MireltaDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 600;
    static constexpr int kClientHeight = 476;

    /// The formation shown in the main window ("" when none): the window
    /// opens on its measurements.
    using ChosenFormation = std::function<std::string()>;
    /// Asks where to export to; an empty text cancels. Tests replace it.
    using ExportPathChooser = std::function<QString(QWidget* parent)>;

    enum MeasurementColumn {
        DateColumn = JournalListModel::Date,
        TimeColumn = JournalListModel::Time,
        FormationColumn = JournalListModel::Formation,
        SiteColumn = JournalListModel::Site,
        TransitColumn = JournalListModel::Transit,
        HeightColumn = JournalListModel::Height,
        DeviationColumn = JournalListModel::Deviation,
        SunAltitudeColumn = JournalListModel::SunAltitude,
        MeasurementColumnCount = JournalListModel::ColumnCount
    };
    enum StatisticsColumn {
        GroupFormationColumn,
        NightColumn,
        KindColumn,  ///< "Zeit" for timings, "Foto" for photographs
        CountColumn,
        MeanColumn,
        StandardDeviationColumn,
        StandardErrorColumn,
        MeanDeviationColumn,
        StatisticsColumnCount
    };

    JournalWindow(QWidget* owner, MessageService& messages, char decimalSeparator, ChosenFormation chosen);
    ~JournalWindow() override;

    void SetExportPathChooser(ExportPathChooser chooser) { choosePath_ = std::move(chooser); }

    /// Centres the window, reads messungen.csv and shows the chosen
    /// formation's measurements (all when none is chosen). Lines that cannot
    /// be read are reported once with their numbers.
    void FormCreate() override;

    /// Another formation, or all, in the choice.
    void FormationChoiceChange();
    /// "Löschen": the marked measurements, after a "Ja".
    void DeleteButtonClick();
    /// "Exportieren...": the shown measurements to a CSV file.
    void ExportButtonClick();
    /// "Ok", Enter and Escape.
    void OkButtonClick();

    QComboBox* FormationChoice = nullptr;
    QLabel* CountLabel = nullptr;
    QTreeView* MeasurementList = nullptr;
    JournalListModel* Measurements = nullptr;  ///< the rows of MeasurementList, newest first
    QPushButton* DeleteButton = nullptr;
    QPushButton* ExportButton = nullptr;
    QTreeWidget* StatisticsList = nullptr;
    QLabel* ExplanationLabel = nullptr;
    QPushButton* OkButton = nullptr;

private:
    void SetJournal(Journal journal);
    void ShowJournal(const std::string& preferredFormation);
    void ReportDamagedLines();
    void UpdateDeleteButton();
    void FillChoice(const std::string& preferred);
    void FillLists();
    void FillStatistics();
    std::vector<JournalEntry> MarkedEntries() const;
    bool ShowsAll() const;
    std::string ShownFormation() const;

    char decimalSeparator_;
    ChosenFormation chosen_;
    ExportPathChooser choosePath_;
    Journal journal_;
};
