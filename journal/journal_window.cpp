#include "journal/journal_window.h"

#include "journal/height_measurement.h"
#include "journal/journal_statistics.h"
#include "platform/form_widgets.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "reports/column_list.h"
#include "reports/terminator_list.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <set>

namespace {

constexpr int kMargin = 16;
constexpr int kButtonHeight = 25;
constexpr int kListWidth = JournalWindow::kClientWidth - 2 * kMargin;
// Damaged lines named one by one in the report; more are counted.
constexpr size_t kDamagedLinesNamed = 5;

struct ColumnDesign {
    const char* caption;
    int width;  ///< pixels
    bool rightAligned;
    const char* tooltip;
};

// Wide enough for "15.03.2003", a 30-character name, "5,25 s", "12345,6m",
// "-100%", "-12,3°", "31. 12. 2003/1. 1. 2004" in the window's font.
constexpr ListColumn kMeasurementColumns[JournalWindow::MeasurementColumnCount] = {
    {"Datum",     70,  false},
    {"Zeit",      38,  false},
    {"Formation", 124, false},
    {"Ort",       86,  false},
    {"Durchgang", 64,  true },
    {"Höhe",     64,  true },
    {"Abw.",      44,  true },
    {"Sonne",     54,  true },
};
constexpr const char* kMeasurementTips[JournalWindow::MeasurementColumnCount] = {
    nullptr,
    "Uhrzeit der Messung (MEZ)",
    nullptr,
    "Beobachtungsort",
    "Gemessene Durchgangszeit des Bergschattens; »Foto«: auf einem Foto gemessen",
    "Errechnete Höhe",
    "Abweichung vom Kartenwert",
    "Höhe der Sonne über dem Horizont der Formation zur Zeit der Messung",
};

constexpr ColumnDesign kStatisticsColumns[JournalWindow::StatisticsColumnCount] = {
    {"Formation",   124, false, nullptr                                                                 },
    {"Nacht",       124, false, "Beobachtungsnacht; eine Messung vor 12 Uhr MEZ zählt zur Nacht davor" },
    {"Art",         40,  false, "Zeitnahme am Okular oder Messung auf Fotos"                            },
    {"Anzahl",      46,  true,  "Anzahl der Messungen"                                                  },
    {"Mittel",      60,  true,  "Mittlere Höhe"                                                        },
    {"Std.-Abw.",   62,  true,  "Standardabweichung: die Streuung der einzelnen Messungen"              },
    {"Std.-Fehler", 66,  true,  "Standardfehler des Mittels: Standardabweichung geteilt durch √Anzahl"},
    {"Abw.",        44,  true,  "Abweichung des Mittels vom Kartenwert"                                 },
};

const QString kAllFormations = QStringLiteral("Alle Formationen");

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

template <size_t N>
QTreeWidget* PlaceList(QWidget* parent, const char* name, int top, int height, const ColumnDesign (&columns)[N])
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(FormFont());
    list->setGeometry(kMargin, top, kListWidth, height);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setColumnCount(static_cast<int>(N));
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    auto* headings = new QTreeWidgetItem;
    for (int column = 0; column < static_cast<int>(N); ++column) {
        headings->setText(column, QString::fromUtf8(columns[column].caption));
        headings->setTextAlignment(column, columns[column].rightAligned ? Qt::AlignRight : Qt::AlignLeft);
        if (columns[column].tooltip) headings->setToolTip(column, QString::fromUtf8(columns[column].tooltip));
        list->setColumnWidth(column, columns[column].width);
    }
    list->setHeaderItem(headings);
    return list;
}

template <size_t N>
QTreeWidgetItem* Row(const std::vector<std::string>& texts, const ColumnDesign (&columns)[N])
{
    auto* row = new QTreeWidgetItem;
    for (int column = 0; column < static_cast<int>(N); ++column) {
        row->setText(column, FromUtf8(texts[column]));
        if (columns[column].rightAligned) row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    return row;
}

// "3", "3, 4, 5" or "3, 4, 5, 6, 7 und 12 weitere": the numbers of damaged
// lines for a question, at most five of them named.
std::string DamagedLineNumbers(const std::vector<DamagedJournalLine>& damaged, size_t named)
{
    std::string numbers;
    for (size_t i = 0; i < damaged.size() && i < named; ++i)
        numbers += (i > 0 ? ", " : "") + std::to_string(damaged[i].Line);
    if (damaged.size() > named) numbers += " und " + std::to_string(damaged.size() - named) + " weitere";
    return numbers;
}

std::string CountText(size_t count) { return std::to_string(count) + (count == 1 ? " Messung" : " Messungen"); }

// The file dialog of the export, in German.
QString AskExportPath(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Messungen exportieren"), QDir::currentPath(),
                       QStringLiteral("CSV-Dateien (*.csv)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(QStringLiteral("messungen_export.csv"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Ordner:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Speichern"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

JournalWindow::JournalWindow(QWidget* owner, MessageService& messages, char decimalSeparator, ChosenFormation chosen)
    : MireltaDialog(owner, messages, QStringLiteral("Messprotokoll"), kClientWidth, kClientHeight),
      decimalSeparator_(decimalSeparator),
      chosen_(std::move(chosen)),
      choosePath_(AskExportPath)
{
    setObjectName(QStringLiteral("JournalWindow"));
    PlaceLabel(this, "FormationCaption", QStringLiteral("Formation:"), kMargin, 9);
    FormationChoice = new QComboBox(this);
    FormationChoice->setObjectName(QStringLiteral("FormationChoice"));
    FormationChoice->setFont(FormFont());
    FormationChoice->setGeometry(80, 5, 200, 22);
    connect(FormationChoice, &QComboBox::currentIndexChanged, this,
            [this] { Guarded([this] { FormationChoiceChange(); }); });
    CountLabel = PlaceLabel(this, "CountLabel", QString(), 296, 9);
    CountLabel->setFixedWidth(kClientWidth - kMargin - 296);

    Measurements = new JournalListModel(kMeasurementColumns, kMeasurementTips, decimalSeparator_, this);
    MeasurementList = PlaceColumnView(this, "MeasurementList", QRect(kMargin, 32, kListWidth, 180), Measurements,
                                      kMeasurementColumns);
    MeasurementList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DeleteButton = PlaceButton(this, "DeleteButton", QStringLiteral("Löschen"), kMargin, 218, 100, kButtonHeight);
    DeleteButton->setToolTip(QStringLiteral("Die markierten Messungen aus messungen.csv löschen"));
    ExportButton =
        PlaceButton(this, "ExportButton", QStringLiteral("Exportieren..."), kMargin + 108, 218, 100, kButtonHeight);
    ExportButton->setToolTip(QStringLiteral("Die angezeigten Messungen als CSV-Datei speichern"));
    OnClick(DeleteButton, &JournalWindow::DeleteButtonClick);
    OnClick(ExportButton, &JournalWindow::ExportButtonClick);
    connect(MeasurementList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateDeleteButton(); });

    PlaceLabel(
        this, "StatisticsCaption",
        QStringLiteral("Je Formation und Beobachtungsnacht (eine Messung vor 12 Uhr MEZ zählt zur Nacht davor):"),
        kMargin, 254);
    StatisticsList = PlaceList(this, "StatisticsList", 270, 118, kStatisticsColumns);
    StatisticsList->setSelectionMode(QAbstractItemView::NoSelection);

    ExplanationLabel = PlaceLabel(
        this, "ExplanationLabel",
        QStringLiteral("Der Standardfehler (Standardabweichung geteilt durch √Anzahl) sagt, wie genau das Mittel ist: "
                       "Mit etwa 68 % Wahrscheinlichkeit liegt die Höhe, die die Zeitnahmen ohne Zufallsfehler "
                       "ergäben, höchstens einen Standardfehler vom Mittel entfernt. Viermal so viele Messungen "
                       "halbieren ihn; systematische Fehler verringern sie nicht."),
        kMargin, 394);
    ExplanationLabel->setWordWrap(true);
    ExplanationLabel->setFixedSize(kListWidth, 44);
    ExplanationLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    OkButton = PlaceButton(this, "OkButton", QStringLiteral("Ok"), (kClientWidth - 121) / 2, 443, 121, kButtonHeight);
    OnClick(OkButton, &JournalWindow::OkButtonClick);
    SetKeyButtons(OkButton);
}

// The list's rows point into journal_, which is gone before the base class
// closes a window still open (at the program's end) and the list lays out
// its rows once more: they go first.
JournalWindow::~JournalWindow() { Measurements->SetEntries({}); }

void JournalWindow::FormCreate()
{
    CentreOverOwner();
    const std::string preferred = chosen_ ? chosen_() : std::string();
    // Emptied first: when the file cannot be read, nothing stale stays.
    SetJournal({});
    ShowJournal(preferred);
    SetJournal(ReadJournal());
    ShowJournal(preferred);
    ReportDamagedLines();
    if (!journal_.ReadOnlyReason.empty())
        Messages().Warn(QStringLiteral("Messprotokoll"), FromUtf8(journal_.ReadOnlyReason));
}

void JournalWindow::SetJournal(Journal journal)
{
    // The list points into the journal: it lets go before the journal goes.
    Measurements->SetEntries({});
    journal_ = std::move(journal);
}

void JournalWindow::ShowJournal(const std::string& preferredFormation)
{
    FillChoice(preferredFormation);
    FillLists();
}

void JournalWindow::ReportDamagedLines()
{
    if (journal_.Damaged.empty()) return;
    std::string report;
    for (size_t i = 0; i < journal_.Damaged.size() && i < kDamagedLinesNamed; ++i)
        report += journal_.Damaged[i].Message + "\n";
    if (journal_.Damaged.size() > kDamagedLinesNamed)
        report += "und " + std::to_string(journal_.Damaged.size() - kDamagedLinesNamed) + " weitere Zeilen\n";
    report += "\nDiese Zeilen werden übersprungen und bleiben unverändert in der Datei.";
    Messages().Warn(QStringLiteral("Messprotokoll"), FromUtf8(report));
}

void JournalWindow::FillChoice(const std::string& preferred)
{
    QStringList names;
    std::set<std::string> seen;
    for (const JournalEntry& entry : journal_.Entries)
        if (seen.insert(entry.Measurement.Formation).second) names << FromUtf8(entry.Measurement.Formation);
    if (!preferred.empty() && seen.insert(preferred).second) names << FromUtf8(preferred);
    SortNamesAlphabetically(names);

    QSignalBlocker quiet(FormationChoice);
    FormationChoice->clear();
    FormationChoice->addItem(kAllFormations);
    for (const QString& name : names) FormationChoice->addItem(name, name);
    const int index = preferred.empty() ? 0 : FormationChoice->findData(FromUtf8(preferred));
    FormationChoice->setCurrentIndex(std::max(index, 0));
}

bool JournalWindow::ShowsAll() const { return FormationChoice->currentIndex() <= 0; }

std::string JournalWindow::ShownFormation() const { return FormationChoice->currentData().toString().toStdString(); }

void JournalWindow::FormationChoiceChange() { FillLists(); }

void JournalWindow::FillLists()
{
    std::vector<const JournalEntry*> shown;
    for (const JournalEntry& entry : journal_.Entries)
        if (ShowsAll() || entry.Measurement.Formation == ShownFormation()) shown.push_back(&entry);
    SortNewestFirst(shown);
    Measurements->SetEntries(std::move(shown));
    FillStatistics();

    const size_t count = Measurements->RowCount();
    std::string text = count == 0 ? std::string("Keine Messungen") : CountText(count);
    if (!ShowsAll()) text += " von " + ShownFormation();
    text += SkippedLinesNote(journal_.Damaged.size());
    if (!journal_.ReadOnlyReason.empty()) text += "; nur lesbar (UTF-8)";
    CountLabel->setText(FromUtf8(text));
    CountLabel->setToolTip(journal_.ReadOnlyReason.empty() ? CountLabel->text() : FromUtf8(journal_.ReadOnlyReason));
    ExportButton->setEnabled(count > 0);
    UpdateDeleteButton();
}

void JournalWindow::UpdateDeleteButton()
{
    // A journal that must not be rewritten loses nothing from here.
    DeleteButton->setEnabled(journal_.ReadOnlyReason.empty() && MeasurementList->selectionModel()->hasSelection());
}

void JournalWindow::FillStatistics()
{
    StatisticsList->clear();
    QList<QTreeWidgetItem*> rows;
    for (const JournalGroup& group : SummariseJournal(Measurements->Entries())) {
        const HeightStatistics& h = group.Heights;
        QTreeWidgetItem* row = Row({group.Formation, group.Night ? NightText(*group.Night) : std::string("alle Nächte"),
                                    group.Photo ? "Foto" : "Zeit", std::to_string(h.Count), MetresText(h.Mean),
                                    MetresText(h.StandardDeviation), MetresText(h.StandardError),
                                    DeviationText(h.Mean, group.CatalogueHeight)},
                                   kStatisticsColumns);
        if (!group.Night) {
            QFont bold = StatisticsList->font();
            bold.setBold(true);
            for (int column = 0; column < StatisticsColumnCount; ++column) row->setFont(column, bold);
        }
        rows.append(row);
    }
    StatisticsList->addTopLevelItems(rows);
}

std::vector<JournalEntry> JournalWindow::MarkedEntries() const
{
    std::vector<JournalEntry> marked;
    for (const QModelIndex& row : MeasurementList->selectionModel()->selectedRows())
        marked.push_back(*Measurements->Entries()[static_cast<size_t>(row.row())]);
    return marked;
}

void JournalWindow::DeleteButtonClick()
{
    const std::vector<JournalEntry> marked = MarkedEntries();
    if (marked.empty()) return;
    std::string question = marked.size() == 1 ? std::string("Soll die markierte Messung wirklich gelöscht werden?")
                                              : "Sollen die " + std::to_string(marked.size()) +
                                                    " markierten Messungen wirklich gelöscht werden?";
    if (!journal_.Damaged.empty()) {
        question += journal_.Damaged.size() == 1 ? " Die unlesbare Zeile " : " Die unlesbaren Zeilen ";
        question += DamagedLineNumbers(journal_.Damaged, kDamagedLinesNamed);
        question += std::string(" von ") + kJournalFileName + " bleib" + (journal_.Damaged.size() == 1 ? "t" : "en") +
                    " dabei unverändert.";
    }
    if (!Messages().Confirm(QStringLiteral("Messungen löschen"), FromUtf8(question))) return;
    const std::string formation = ShowsAll() ? std::string() : ShownFormation();
    DeleteFromJournal(marked);
    SetJournal(ReadJournal());
    ShowJournal(formation);
}

void JournalWindow::ExportButtonClick()
{
    if (Measurements->RowCount() == 0 || !choosePath_) return;
    const QString path = choosePath_(this);
    if (path.isEmpty()) return;
    std::vector<JournalMeasurement> measurements;
    for (const JournalEntry* entry : Measurements->Entries()) measurements.push_back(entry->Measurement);
    ExportJournal(measurements, decimalSeparator_, QFile::encodeName(path).toStdString());
    Messages().Inform(QStringLiteral("Messprotokoll"), FromUtf8(CountText(measurements.size())) +
                                                           QStringLiteral(" nach ") + QDir::toNativeSeparators(path) +
                                                           QStringLiteral(" exportiert."));
}

void JournalWindow::OkButtonClick() { LeaveDialog(); }
