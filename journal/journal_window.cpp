#include "journal/journal_window.h"

#include "journal/height_measurement.h"
#include "journal/journal_statistics.h"
#include "platform/form_widgets.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "reports/terminator_list.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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
constexpr ColumnDesign kMeasurementColumns[JournalWindow::MeasurementColumnCount] = {
    {"Datum",     70,  false, nullptr                                                                },
    {"Zeit",      38,  false, "Uhrzeit der Messung (MEZ)"                                            },
    {"Formation", 124, false, nullptr                                                                },
    {"Ort",       86,  false, "Beobachtungsort"                                                      },
    {"Durchgang", 64,  true,  "Gemessene Durchgangszeit des Bergschattens"                           },
    {"Höhe",     64,  true,  "Errechnete Höhe"                                                     },
    {"Abw.",      44,  true,  "Abweichung vom Kartenwert"                                            },
    {"Sonne",     54,  true,  "Höhe der Sonne über dem Horizont der Formation zur Zeit der Messung"},
};

constexpr ColumnDesign kStatisticsColumns[JournalWindow::StatisticsColumnCount] = {
    {"Formation",   124, false, nullptr                                                                 },
    {"Nacht",       124, false, "Beobachtungsnacht; eine Messung vor 12 Uhr MEZ zählt zur Nacht davor" },
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

    MeasurementList = PlaceList(this, "MeasurementList", 32, 180, kMeasurementColumns);
    MeasurementList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DeleteButton = PlaceButton(this, "DeleteButton", QStringLiteral("Löschen"), kMargin, 218, 100, kButtonHeight);
    DeleteButton->setToolTip(QStringLiteral("Die markierten Messungen aus messungen.csv löschen"));
    ExportButton =
        PlaceButton(this, "ExportButton", QStringLiteral("Exportieren..."), kMargin + 108, 218, 100, kButtonHeight);
    ExportButton->setToolTip(QStringLiteral("Die angezeigten Messungen als CSV-Datei speichern"));
    OnClick(DeleteButton, &JournalWindow::DeleteButtonClick);
    OnClick(ExportButton, &JournalWindow::ExportButtonClick);
    connect(MeasurementList, &QTreeWidget::itemSelectionChanged, this,
            [this] { DeleteButton->setEnabled(!MeasurementList->selectedItems().isEmpty()); });

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

void JournalWindow::FormCreate()
{
    CentreOverOwner();
    const std::string preferred = chosen_ ? chosen_() : std::string();
    // Emptied first: when the file cannot be read, nothing stale stays.
    journal_ = {};
    ShowJournal(preferred);
    journal_ = ReadJournal();
    ShowJournal(preferred);
    ReportDamagedLines();
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
    shown_.clear();
    for (const JournalEntry& entry : journal_.Entries)
        if (ShowsAll() || entry.Measurement.Formation == ShownFormation()) shown_.push_back(entry);
    SortNewestFirst(shown_);
    FillMeasurements();
    FillStatistics();

    std::string count = shown_.empty() ? std::string("Keine Messungen") : CountText(shown_.size());
    if (!ShowsAll()) count += " von " + ShownFormation();
    count += SkippedLinesNote(journal_.Damaged.size());
    CountLabel->setText(FromUtf8(count));
    CountLabel->setToolTip(CountLabel->text());
    ExportButton->setEnabled(!shown_.empty());
    DeleteButton->setEnabled(false);
}

void JournalWindow::FillMeasurements()
{
    MeasurementList->clear();
    QList<QTreeWidgetItem*> rows;
    for (const JournalEntry& entry : shown_) {
        const JournalMeasurement& m = entry.Measurement;
        rows.append(
            Row({JournalDateText(m), JournalTimeText(m), m.Formation, m.SiteName,
                 FloatToText(m.TransitSeconds, decimalSeparator_) + " s", HeightText(m.Height, decimalSeparator_),
                 DeviationText(m.Height, m.CatalogueHeight), OneDecimalText(m.SunAltitude, decimalSeparator_) + "°"},
                kMeasurementColumns));
    }
    MeasurementList->addTopLevelItems(rows);
}

void JournalWindow::FillStatistics()
{
    StatisticsList->clear();
    QList<QTreeWidgetItem*> rows;
    for (const JournalGroup& group : SummariseJournal(shown_)) {
        const HeightStatistics& h = group.Heights;
        QTreeWidgetItem* row = Row({group.Formation, group.Night ? NightText(*group.Night) : std::string("alle Nächte"),
                                    std::to_string(h.Count), MetresText(h.Mean), MetresText(h.StandardDeviation),
                                    MetresText(h.StandardError), DeviationText(h.Mean, group.CatalogueHeight)},
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
    for (int i = 0; i < MeasurementList->topLevelItemCount(); ++i)
        if (MeasurementList->topLevelItem(i)->isSelected()) marked.push_back(shown_[static_cast<size_t>(i)]);
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
        for (size_t i = 0; i < journal_.Damaged.size(); ++i)
            question += (i > 0 ? ", " : "") + std::to_string(journal_.Damaged[i].Line);
        question += std::string(" von ") + kJournalFileName + " bleib" + (journal_.Damaged.size() == 1 ? "t" : "en") +
                    " dabei unverändert.";
    }
    if (!Messages().Confirm(QStringLiteral("Messungen löschen"), FromUtf8(question))) return;
    const std::string formation = ShowsAll() ? std::string() : ShownFormation();
    DeleteFromJournal(marked);
    journal_ = ReadJournal();
    ShowJournal(formation);
}

void JournalWindow::ExportButtonClick()
{
    if (shown_.empty() || !choosePath_) return;
    const QString path = choosePath_(this);
    if (path.isEmpty()) return;
    std::vector<JournalMeasurement> measurements;
    for (const JournalEntry& entry : shown_) measurements.push_back(entry.Measurement);
    ExportJournal(measurements, decimalSeparator_, QFile::encodeName(path).toStdString());
    Messages().Inform(QStringLiteral("Messprotokoll"), FromUtf8(CountText(measurements.size())) +
                                                           QStringLiteral(" nach ") + QDir::toNativeSeparators(path) +
                                                           QStringLiteral(" exportiert."));
}

void JournalWindow::OkButtonClick() { LeaveDialog(); }
