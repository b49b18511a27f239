#include "reports/terminator_window.h"

#include "platform/form_widgets.h"
#include "reports/column_list.h"
#include "reports/report_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int kMargin = 16;
constexpr int kListTop = 28;
constexpr int kListHeight = 310;
constexpr int kCountTop = 344;
constexpr int kButtonWidth = 121;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 366;

// Wide enough for the longest catalogue name (30 characters), "Geländestufe",
// "12,0°", "Morgen", "11000m" and "- - -" in the window's font.
constexpr ListColumn kColumns[TerminatorWindow::ColumnCount] = {
    {"Name",        176, false},
    {"Art",         84,  false},
    {"Sonnenhöhe", 76,  true },
    {"Lichtgrenze", 72,  false},
    {"Höhe",       52,  true },
    {"Durchgang",   68,  true },
};

}  // namespace

TerminatorWindow::TerminatorWindow(QWidget* owner, MessageService& messages, ObservationState& state,
                                   char decimalSeparator, FormationSource source, FormationChooser choose)
    : MireltaDialog(owner, messages, QStringLiteral("Lichtgrenze"), kClientWidth, kClientHeight),
      state_(state),
      decimalSeparator_(decimalSeparator),
      source_(std::move(source)),
      choose_(std::move(choose))
{
    setObjectName(QStringLiteral("TerminatorWindow"));
    HeadingLabel = PlaceTextLine(this, "HeadingLabel", kMargin, 8, kClientWidth - 2 * kMargin);

    FormationList = PlaceColumnList(this, "FormationList",
                                    QRect(kMargin, kListTop, kClientWidth - 2 * kMargin, kListHeight), kColumns);
    QTreeWidgetItem* headings = FormationList->headerItem();
    headings->setToolTip(SunAltitudeColumn, QStringLiteral("Höhe der Sonne über dem Horizont der Formation"));
    headings->setToolTip(HeightColumn, QStringLiteral("Höhe der Formation laut Objektliste"));
    headings->setToolTip(TransitColumn,
                         QStringLiteral("Zu erwartende Durchgangszeit des Bergschattens durchs Teleskopvisier"));
    connect(FormationList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { Guarded([&] { FormationListDoubleClick(item); }); });

    CountLabel = PlaceTextLine(this, "CountLabel", kMargin, kCountTop, kClientWidth - 2 * kMargin);
    OkButton = PlaceButton(this, "OkButton", QStringLiteral("Ok"), (kClientWidth - kButtonWidth) / 2, kButtonTop,
                           kButtonWidth, kButtonHeight);
    OkButton->setStatusTip(QStringLiteral("Zurück zum Programm"));
    OnClick(OkButton, &TerminatorWindow::OkButtonClick);
    SetKeyButtons(OkButton);
}

void TerminatorWindow::FormCreate()
{
    CentreOverOwner();
    auto catalogue = source_ ? source_() : std::make_shared<const std::vector<CatalogueFormation>>();
    if (catalogue != catalogue_) {
        placed_ = PlaceFormations(*catalogue);
        catalogue_ = std::move(catalogue);
    }
    const TerminatorSurvey survey = SurveyTerminator(state_, placed_);
    SetFittedText(HeadingLabel, TerminatorHeading(state_, survey.Sun, decimalSeparator_));
    FillList(survey.Formations);
}

void TerminatorWindow::FillList(const std::vector<TerminatorFormation>& formations)
{
    FormationList->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(formations.size()));
    for (const TerminatorFormation& f : formations) {
        const std::string texts[ColumnCount] = {f.Name,
                                                f.Kind,
                                                OneDecimalText(f.SunAltitude, decimalSeparator_) + "°",
                                                TerminatorSideText(f.Side),
                                                CatalogueHeightText(f.Height),
                                                TransitTimeText(f.TransitSeconds, decimalSeparator_)};
        rows.append(ColumnListRow(texts, kColumns));
    }
    FormationList->addTopLevelItems(rows);

    if (formations.empty())
        CountLabel->setText(QStringLiteral("Keine Formation der Objektliste liegt an der Lichtgrenze."));
    else
        CountLabel->setText(QString::number(formations.size()) +
                            (formations.size() == 1 ? QStringLiteral(" Formation") : QStringLiteral(" Formationen")) +
                            QStringLiteral(" an der Lichtgrenze. Doppelklick wählt die Formation auf der Karte."));
}

void TerminatorWindow::OkButtonClick() { LeaveDialog(); }

void TerminatorWindow::FormationListDoubleClick(QTreeWidgetItem* item)
{
    if (!item) return;
    const std::string name = item->text(NameColumn).toStdString();
    LeaveDialog();
    if (choose_) choose_(name);
}
