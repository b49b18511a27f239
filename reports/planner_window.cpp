#include "reports/planner_window.h"

#include "platform/errors.h"
#include "platform/form_widgets.h"
#include "platform/name_list_model.h"
#include "platform/name_order.h"
#include "platform/number_text.h"
#include "reports/column_list.h"
#include "reports/ephemeris_table_model.h"
#include "reports/ephemeris_table_text.h"
#include "reports/observation_plan_text.h"
#include "reports/report_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>

#include <cmath>

namespace {

const QString kCaption = QStringLiteral("Beobachtungsplaner");

constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kEditHeight = 21;
constexpr int kButtonWidth = 121;
constexpr int kButtonHeight = 25;
constexpr int kPageWidth = PlannerWindow::kClientWidth - 2 * kMargin - 4;  // inside the tab frame
constexpr int kListWidth = kPageWidth - 2 * kMargin;

// Wide enough for "Sa 15. 12. 2003", "23:59 (16. 12.)", "- - -", "-12,3°".
constexpr ListColumn kIntervalColumns[PlannerWindow::IntervalColumnCount] = {
    {"Datum",            104, false},
    {"Beginn",           52,  true },
    {"Ende",             90,  true },
    {"Bester Zeitpunkt", 104, true },
    {"Durchgang",        72,  true },
    {"Mondhöhe",        72,  true },
    {"Colongitude",      78,  true },
};

/// Table moments per step unit, in the order of the unit box.
constexpr int kStepUnitMinutes[] = {1, 60, 1440};

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

/// Places a label at (x, y + 3) and returns the x just right of it.
int PlaceLabelAt(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    QLabel* label = PlaceLabel(parent, name, text, x, y + 3);
    return x + label->sizeHint().width() + kGap;
}

/// A label and an edit field `width` wide right of it; returns the edit.
QLineEdit* PlaceLabelledEdit(QWidget* parent, const char* labelName, const QString& label, const char* editName, int& x,
                             int y, int width)
{
    x = PlaceLabelAt(parent, labelName, label, x, y);
    QLineEdit* edit = PlaceEdit(parent, editName, x, y, width, kEditHeight, 12);
    x += width + kGap;
    return edit;
}

std::string DegreesWithSide(double value, char positive, char negative, char decimalSeparator)
{
    return OneDecimalText(std::fabs(value), decimalSeparator) + "° " + (value < 0 ? negative : positive);
}

QString DefaultExportPath(QWidget* parent, const QString& suggestion)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Tabelle exportieren"), suggestion,
                                        QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"));
}

}  // namespace

PlannerWindow::PlannerWindow(QWidget* owner, MessageService& messages, ObservationState& state, char decimalSeparator,
                             FormationSource source, ChosenFormation chosen)
    : MireltaDialog(owner, messages, kCaption, kClientWidth, kClientHeight),
      state_(state),
      decimalSeparator_(decimalSeparator),
      source_(std::move(source)),
      chosen_(std::move(chosen)),
      choosePath_(DefaultExportPath)
{
    setObjectName(QStringLiteral("PlannerWindow"));
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->setFont(FormFont());
    Pages->setGeometry(kMargin, kMargin, kClientWidth - 2 * kMargin, 420);
    auto* plannerPage = new QWidget;
    plannerPage->setObjectName(QStringLiteral("PlannerPage"));
    auto* tablePage = new QWidget;
    tablePage->setObjectName(QStringLiteral("TablePage"));
    Pages->addTab(plannerPage, QStringLiteral("Planer"));
    Pages->addTab(tablePage, QStringLiteral("Ephemeridentabelle"));
    CreatePlannerPage(plannerPage);
    CreateTablePage(tablePage);

    OkButton = PlaceButton(this, "OkButton", QStringLiteral("Ok"), (kClientWidth - kButtonWidth) / 2, 438, kButtonWidth,
                           kButtonHeight);
    OnClick(OkButton, &PlannerWindow::OkButtonClick);
    SetKeyButtons(OkButton);
}

void PlannerWindow::CreatePlannerPage(QWidget* page)
{
    int x = PlaceLabelAt(page, "FormationCaption", QStringLiteral("Formation:"), kMargin, 8);
    FormationBox = new QComboBox(page);
    FormationBox->setObjectName(QStringLiteral("FormationBox"));
    FormationBox->setFont(FormFont());
    FormationBox->setGeometry(x, 8, 200, kEditHeight + 1);
    FormationBox->setMaxVisibleItems(20);
    formationNames_ = new NameListModel(FormationBox);
    FormationBox->setModel(formationNames_);
    if (auto* entries = qobject_cast<QListView*>(FormationBox->view())) entries->setUniformItemSizes(true);
    connect(FormationBox, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { FormationBoxChange(); }); });
    FormationLabel = PlaceTextLine(page, "FormationLabel", x + 200 + 2 * kGap, 11, kPageWidth - x - 210);
    RangeLabel = PlaceTextLine(page, "RangeLabel", kMargin, 36, kListWidth);

    x = kMargin;
    DaysEdit = PlaceLabelledEdit(page, "DaysCaption", QStringLiteral("Tage:"), "DaysEdit", x, 56, 36);
    x += 2 * kMargin;
    LowestSunEdit = PlaceLabelledEdit(page, "SunBandCaption", QStringLiteral("Sonne über der Formation von"),
                                      "LowestSunEdit", x, 56, 36);
    HighestSunEdit = PlaceLabelledEdit(page, "SunBandTo", QStringLiteral("° bis"), "HighestSunEdit", x, 56, 36);
    PlaceLabelAt(page, "SunBandUnit", QStringLiteral("°"), x, 56);

    x = kMargin;
    MoonAltitudeEdit = PlaceLabelledEdit(page, "MoonAltitudeCaption", QStringLiteral("Mond am Ort mindestens"),
                                         "MoonAltitudeEdit", x, 82, 36);
    x = PlaceLabelAt(page, "MoonAltitudeUnit", QStringLiteral("° hoch,"), x, 82) + kMargin;
    SunAltitudeEdit = PlaceLabelledEdit(page, "SunAltitudeCaption", QStringLiteral("Sonne am Ort höchstens"),
                                        "SunAltitudeEdit", x, 82, 36);
    PlaceLabelAt(page, "SunAltitudeUnit", QStringLiteral("° hoch"), x, 82);
    MoonAltitudeEdit->setStatusTip(QStringLiteral("Höhe des Mondes über dem Horizont des Beobachtungsorts"));
    SunAltitudeEdit->setToolTip(QStringLiteral("-6° ist das Ende der bürgerlichen Dämmerung, -12° der nautischen"));
    PlanButton = PlaceButton(page, "PlanButton", QStringLiteral("Berechnen"), kPageWidth - kMargin - 100, 68, 100,
                             kButtonHeight);
    OnClick(PlanButton, &PlannerWindow::PlanButtonClick);
    for (QLineEdit* edit : {DaysEdit, LowestSunEdit, HighestSunEdit, MoonAltitudeEdit, SunAltitudeEdit})
        connect(edit, &QLineEdit::returnPressed, this, [this] { Guarded([this] { PlanButtonClick(); }); });

    IntervalList = PlaceColumnList(page, "IntervalList", QRect(kMargin, 110, kListWidth, 244), kIntervalColumns);
    QTreeWidgetItem* headings = IntervalList->headerItem();
    headings->setToolTip(BestColumn, QStringLiteral("Zeitpunkt der längsten Durchgangszeit im Zeitraum; "
                                                    "ohne Höhe in der Objektliste: der tiefsten Sonne"));
    headings->setToolTip(TransitColumn,
                         QStringLiteral("Zu erwartende Durchgangszeit des Bergschattens durchs Teleskopvisier"));
    headings->setToolTip(MoonAltitudeColumn, QStringLiteral("Höhe des Mondes am Ort zum besten Zeitpunkt"));
    headings->setToolTip(ColongitudeColumn, QStringLiteral("Colongitude der Sonne zum besten Zeitpunkt"));
    PlanCountLabel = PlaceTextLine(page, "PlanCountLabel", kMargin, 362, kListWidth);
}

void PlannerWindow::CreateTablePage(QWidget* page)
{
    int x = kMargin;
    FromEdit = PlaceLabelledEdit(page, "FromCaption", QStringLiteral("von"), "FromEdit", x, 8, 72);
    ToEdit = PlaceLabelledEdit(page, "ToCaption", QStringLiteral("bis"), "ToEdit", x, 8, 72);
    x += kMargin;
    TimeEdit = PlaceLabelledEdit(page, "TimeCaption", QStringLiteral("ab"), "TimeEdit", x, 8, 40);
    x = PlaceLabelAt(page, "TimeUnit", QStringLiteral("Uhr MEZ,"), x, 8) + kMargin;
    StepEdit = PlaceLabelledEdit(page, "StepCaption", QStringLiteral("alle"), "StepEdit", x, 8, 36);
    StepUnitBox = new QComboBox(page);
    StepUnitBox->setObjectName(QStringLiteral("StepUnitBox"));
    StepUnitBox->setFont(FormFont());
    StepUnitBox->addItems({QStringLiteral("Minuten"), QStringLiteral("Stunden"), QStringLiteral("Tage")});
    StepUnitBox->setGeometry(x, 8, 80, kEditHeight + 1);
    FromEdit->setToolTip(QStringLiteral("Erster Tag, z. B. 15.3.2003"));
    ToEdit->setToolTip(QStringLiteral("Letzter Tag; die Tabelle reicht bis zu seinem Ende"));
    TableButton = PlaceButton(page, "TableButton", QStringLiteral("Berechnen"), kPageWidth - kMargin - 100, 6, 100,
                              kButtonHeight);
    OnClick(TableButton, &PlannerWindow::TableButtonClick);
    for (QLineEdit* edit : {FromEdit, ToEdit, TimeEdit, StepEdit})
        connect(edit, &QLineEdit::returnPressed, this, [this] { Guarded([this] { TableButtonClick(); }); });

    tableModel_ = new EphemerisTableModel(decimalSeparator_, this);
    TableView = new QTableView(page);
    TableView->setObjectName(QStringLiteral("TableView"));
    TableView->setFont(FormFont());
    TableView->setGeometry(kMargin, 38, kListWidth, 316);
    TableView->setModel(tableModel_);
    TableView->verticalHeader()->setDefaultSectionSize(TableView->fontMetrics().height() + 4);
    // Each column as wide as its heading and its widest figures (the JD has
    // seven whole digits, an angle at most four with its sign).
    const QFontMetrics metrics = TableView->fontMetrics();
    for (int column = 0; column < tableModel_->columnCount(); ++column) {
        const QString heading = tableModel_->headerData(column, Qt::Horizontal).toString();
        const QString figures = column == 2 ? QStringLiteral("0000000,00000") : QStringLiteral("-000,0000");
        TableView->setColumnWidth(
            column, std::max(metrics.horizontalAdvance(heading), metrics.horizontalAdvance(figures)) + 16);
    }
    TableView->setSelectionBehavior(QAbstractItemView::SelectRows);

    TableCountLabel = PlaceTextLine(page, "TableCountLabel", kMargin, 366, kListWidth - 120);
    ExportButton = PlaceButton(page, "ExportButton", QStringLiteral("Exportieren..."), kPageWidth - kMargin - 100, 360,
                               100, kButtonHeight);
    ExportButton->setStatusTip(QStringLiteral("Die Tabelle als CSV-Datei speichern"));
    OnClick(ExportButton, &PlannerWindow::ExportButtonClick);
}

const std::vector<EphemerisRow>& PlannerWindow::TableRows() const { return tableModel_->Rows(); }

void PlannerWindow::FormCreate()
{
    CentreOverOwner();
    // The table first: it needs no catalogue, so it is there even when the
    // catalogue cannot be read.
    SetTableDefaults();
    ComputeTable();
    ReadFormations();
    SetPlanDefaults();
    ComputePlan();
}

void PlannerWindow::ReadFormations()
{
    intervals_.clear();
    IntervalList->clear();
    FormationLabel->clear();
    RangeLabel->clear();
    PlanCountLabel->clear();
    std::shared_ptr<const std::vector<CatalogueFormation>> catalogue;
    try {
        catalogue = source_ ? source_() : std::make_shared<const std::vector<CatalogueFormation>>();
    } catch (...) {
        // Nothing of the last opening stays when the catalogue cannot be read.
        ShowFormations({}, {});
        catalogue_.reset();
        throw;
    }
    if (catalogue == catalogue_) return;  // the same formations, listed already

    std::vector<Formation> formations;
    QStringList names;
    for (const CatalogueFormation& entry : *catalogue) {
        const std::optional<double> latitude = CatalogueCoordinate(entry.Latitude);
        const std::optional<double> longitude = CatalogueCoordinate(entry.Longitude);
        if (!latitude || !longitude) continue;
        Formation formation{
            entry.Name, {{*latitude, *longitude}, std::nullopt},
             entry.Height
        };
        int height = 0;
        if (TryTextToInt(entry.Height, height) && height > 0) formation.Planned.Height = height;
        formations.push_back(std::move(formation));
        names.append(FromUtf8(entry.Name));
    }
    std::vector<Formation> sortedFormations;
    sortedFormations.reserve(formations.size());
    QStringList sortedNames;
    sortedNames.reserve(names.size());
    for (qsizetype i : sorter_.Order(names)) {
        sortedFormations.push_back(std::move(formations[static_cast<std::size_t>(i)]));
        sortedNames.append(names[i]);
    }
    ShowFormations(std::move(sortedFormations), std::move(sortedNames));
    catalogue_ = std::move(catalogue);
}

void PlannerWindow::ShowFormations(std::vector<Formation> formations, QStringList names)
{
    formations_ = std::move(formations);
    const QSignalBlocker quiet(FormationBox);
    formationNames_->SetNames(std::move(names));
}

void PlannerWindow::SetPlanDefaults()
{
    const QSignalBlocker quiet(FormationBox);
    FormationBox->setCurrentIndex(chosen_ ? static_cast<int>(formationNames_->Names().indexOf(FromUtf8(chosen_())))
                                          : -1);
    const PlanningLimits defaults;
    auto number = [this](double value) { return FromUtf8(FloatToText(value, decimalSeparator_)); };
    DaysEdit->setText(QString::number(DefaultPlanningDays));
    lowestSunDefault_.clear();
    SetLowestSunDefault();
    HighestSunEdit->setText(number(defaults.SunOverFormation.Highest));
    MoonAltitudeEdit->setText(number(defaults.LowestMoonAltitude));
    SunAltitudeEdit->setText(number(defaults.HighestSunAltitude));
}

void PlannerWindow::SetTableDefaults()
{
    // From the observation's moment, hourly, to the end of the next day (of
    // the same day on the last day a table may reach).
    const MezMoment now = ObservationMoment(state_);
    FromEdit->setText(
        FromUtf8(std::to_string(now.Day) + "." + std::to_string(now.Month) + "." + std::to_string(now.Year)));
    MezMoment lastDay = MomentOfMinute(MinuteNumber(now) + MinutesPerDay);
    if (lastDay.Year > kLastTableYear) lastDay = now;
    ToEdit->setText(FromUtf8(std::to_string(lastDay.Day) + "." + std::to_string(lastDay.Month) + "." +
                             std::to_string(lastDay.Year)));
    TimeEdit->setText(FromUtf8(TableTimeText(now)));
    StepEdit->setText(QStringLiteral("1"));
    StepUnitBox->setCurrentIndex(1);
}

void PlannerWindow::SetLowestSunDefault()
{
    // A lower limit the user typed stays; one the window set follows the
    // formation's height.
    if (!lowestSunDefault_.isEmpty() && LowestSunEdit->text() != lowestSunDefault_) return;
    const Formation* formation = ChosenFormationOfBox();
    const PlanningLimits defaults = DefaultPlanningLimits(formation ? formation->Planned : PlannedFormation{});
    lowestSunDefault_ = FromUtf8(FloatToText(defaults.SunOverFormation.Lowest, decimalSeparator_));
    LowestSunEdit->setText(lowestSunDefault_);
}

void PlannerWindow::FormationBoxChange()
{
    SetLowestSunDefault();
    ComputePlan();
}

void PlannerWindow::PlanButtonClick() { ComputePlan(); }

void PlannerWindow::TableButtonClick() { ComputeTable(); }

void PlannerWindow::Warn(const QString& text) { Messages().Warn(kCaption, text); }

const PlannerWindow::Formation* PlannerWindow::ChosenFormationOfBox() const
{
    const int index = FormationBox->currentIndex();
    if (index < 0 || index >= static_cast<int>(formations_.size())) return nullptr;
    return &formations_[static_cast<std::size_t>(index)];
}

std::optional<PlanningLimits> PlannerWindow::ReadLimits(int& days)
{
    days = TextToInt(DaysEdit->text().toStdString());
    PlanningLimits limits;
    limits.SunOverFormation.Lowest = TextToFloat(LowestSunEdit->text().toStdString(), decimalSeparator_);
    limits.SunOverFormation.Highest = TextToFloat(HighestSunEdit->text().toStdString(), decimalSeparator_);
    limits.LowestMoonAltitude = TextToFloat(MoonAltitudeEdit->text().toStdString(), decimalSeparator_);
    limits.HighestSunAltitude = TextToFloat(SunAltitudeEdit->text().toStdString(), decimalSeparator_);
    if (days < 1 || days > MaxPlanningDays) {
        Warn(QStringLiteral("Die Zahl der Tage muss zwischen 1 und %1 liegen.").arg(MaxPlanningDays));
        return std::nullopt;
    }
    for (double altitude : {limits.SunOverFormation.Lowest, limits.SunOverFormation.Highest, limits.LowestMoonAltitude,
                            limits.HighestSunAltitude})
        if (std::fabs(altitude) > 90) {
            Warn(QStringLiteral("Eine Höhe muss zwischen -90° und 90° liegen."));
            return std::nullopt;
        }
    if (limits.SunOverFormation.Lowest > limits.SunOverFormation.Highest) {
        Warn(QStringLiteral("Die untere Sonnenhöhe über der Formation liegt über der oberen."));
        return std::nullopt;
    }
    return limits;
}

void PlannerWindow::ComputePlan()
{
    const Formation* formation = ChosenFormationOfBox();
    if (!formation) {
        IntervalList->clear();
        intervals_.clear();
        FormationLabel->clear();
        RangeLabel->clear();
        PlanCountLabel->setText(QStringLiteral("Wählen Sie eine Formation."));
        return;
    }
    // What was typed is checked before anything shown is replaced.
    int days = 0;
    const std::optional<PlanningLimits> limits = ReadLimits(days);
    if (!limits) return;

    const SelenographicPoint& p = formation->Planned.Position;
    SetFittedText(FormationLabel, DegreesWithSide(p.Latitude, 'N', 'S', decimalSeparator_) + ", " +
                                      DegreesWithSide(p.Longitude, 'O', 'W', decimalSeparator_) +
                                      (formation->Planned.Height ? ", Höhe " + formation->HeightText + " m"
                                                                 : ", keine Höhe in der Objektliste"));
    SetFittedText(RangeLabel, PlanRangeText(state_.SiteName, PlanStart(state_), PlanEnd(state_, days)));
    intervals_ = PlanObservations(state_, formation->Planned, *limits, days);
    IntervalList->clear();
    ShowIntervals();
    SetText(PlanCountLabel, PlanCountText(intervals_.size(), days));
}

void PlannerWindow::ShowIntervals()
{
    QList<QTreeWidgetItem*> rows;
    for (const PlanInterval& interval : intervals_) {
        const PlanIntervalTexts t = PlanIntervalRow(interval, decimalSeparator_);
        const std::string texts[IntervalColumnCount] = {t.Date,    t.Start,        t.End,        t.Best,
                                                        t.Transit, t.MoonAltitude, t.Colongitude};
        rows.append(ColumnListRow(texts, kIntervalColumns));
    }
    IntervalList->addTopLevelItems(rows);
}

std::optional<EphemerisTableRange> PlannerWindow::ReadTableRange()
{
    EphemerisTableRange range;
    const std::optional<MezMoment> from = ReadTableDate(FromEdit->text().toStdString());
    const std::optional<MezMoment> to = ReadTableDate(ToEdit->text().toStdString());
    if (!from || !to) {
        Warn(QStringLiteral("'%1' ist kein gültiges Datum (Tag.Monat.Jahr, z. B. 15.3.2003).")
                 .arg(from ? ToEdit->text() : FromEdit->text()));
        return std::nullopt;
    }
    range.First = *from;
    range.LastDay = *to;
    if (!ReadTableTime(TimeEdit->text().toStdString(), range.First)) {
        Warn(QStringLiteral("'%1' ist keine gültige Uhrzeit (Stunde:Minute, z. B. 20:05).").arg(TimeEdit->text()));
        return std::nullopt;
    }
    const int step = TextToInt(StepEdit->text().toStdString());
    const int unit = kStepUnitMinutes[std::clamp(StepUnitBox->currentIndex(), 0, 2)];
    if (step < 1 || step > 366 * MinutesPerDay / unit) {
        Warn(QStringLiteral("Der Schritt muss mindestens 1 und höchstens ein Jahr sein."));
        return std::nullopt;
    }
    range.StepMinutes = step * unit;
    if (MinuteNumber(*to) < MinuteNumber(*from)) {
        Warn(QStringLiteral("Der letzte Tag liegt vor dem ersten."));
        return std::nullopt;
    }
    if (range.RowCount() > kMostTableRows) {
        Warn(QStringLiteral("Die Tabelle hätte %1 Zeilen; höchstens %2 lassen sich zeigen. Bitte einen "
                            "größeren Schritt oder weniger Tage wählen.")
                 .arg(range.RowCount())
                 .arg(kMostTableRows));
        return std::nullopt;
    }
    return range;
}

void PlannerWindow::ComputeTable()
{
    const std::optional<EphemerisTableRange> range = ReadTableRange();
    if (!range) return;
    ObservationState scratch = state_;
    std::vector<EphemerisRow> rows;
    rows.reserve(static_cast<std::size_t>(range->RowCount()));
    for (std::int64_t i = 0; i < range->RowCount(); ++i) {
        SetObservationMoment(scratch, range->RowMoment(i));
        rows.push_back(ComputeEphemerisRow(scratch));
    }
    tableModel_->SetRows(std::move(rows));
    TableCountLabel->setText(QStringLiteral("%1 Zeilen für %2").arg(TableRows().size()).arg(FromUtf8(state_.SiteName)));
}

void PlannerWindow::ExportButtonClick()
{
    if (TableRows().empty()) {
        Warn(QStringLiteral("Die Tabelle ist leer."));
        return;
    }
    const QString path = choosePath_(this, QDir::current().filePath(QStringLiteral("ephemeriden.csv")));
    if (path.isEmpty()) return;
    WriteEphemerisCsv(path.toStdString(), TableRows(), decimalSeparator_);
    Messages().Inform(kCaption, QStringLiteral("Die Tabelle (%1 Zeilen) ist in %2 gespeichert.")
                                    .arg(TableRows().size())
                                    .arg(QDir::toNativeSeparators(path)));
}

void PlannerWindow::OkButtonClick() { LeaveDialog(); }

void PlannerWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter in a field computes its page (returnPressed); elsewhere it is "Ok".
    const bool enter = IsPlainKey(*event, Qt::Key_Return) || IsPlainKey(*event, Qt::Key_Enter);
    if (enter && qobject_cast<QLineEdit*>(focusWidget())) {
        event->accept();
        return;
    }
    MireltaDialog::keyPressEvent(event);
}
