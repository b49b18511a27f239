#include "reports/terminator_window.h"

#include "platform/form_widgets.h"
#include "reports/column_list.h"
#include "reports/report_window.h"
#include "reports/terminator_list_model.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

namespace {

constexpr int kMargin = 16;
constexpr int kListTop = 28;
constexpr int kListHeight = 310;
constexpr int kCountTop = 344;
constexpr int kButtonWidth = 121;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 366;

// Wide enough for the longest catalogue name (30 characters), "Geländestufe",
// "12,0°", "Morgen", "11000m", "- - -" and "Sonne zu tief für 11000 m" in the
// window's font.
constexpr ListColumn kColumns[TerminatorWindow::ColumnCount] = {
    {"Name",        176, false},
    {"Art",         84,  false},
    {"Sonnenhöhe", 76,  true },
    {"Lichtgrenze", 72,  false},
    {"Höhe",       52,  true },
    {"Durchgang",   68,  true },
    {"Hinweis",     160, false},
};

constexpr const char* kColumnTips[TerminatorWindow::ColumnCount] = {
    "",
    "",
    "Höhe der Sonne über dem Horizont der Formation",
    "",
    "Höhe der Formation laut Objektliste",
    "Zu erwartende Durchgangszeit des Bergschattens durchs Teleskopvisier",
    "Warum sich der Schatten jetzt nicht messen lässt",
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

    Formations = new TerminatorListModel(kColumns, kColumnTips, decimalSeparator_, this);
    FormationList = PlaceColumnView(
        this, "FormationList", QRect(kMargin, kListTop, kClientWidth - 2 * kMargin, kListHeight), Formations, kColumns);
    connect(FormationList, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { Guarded([&] { FormationListDoubleClick(index); }); });

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
    TerminatorSurvey survey = SurveyTerminator(state_, placed_);
    SetFittedText(HeadingLabel, TerminatorHeading(state_, survey.Sun, decimalSeparator_));
    FillList(std::move(survey.Formations));
}

void TerminatorWindow::FillList(std::vector<TerminatorFormation> formations)
{
    const std::size_t count = formations.size();
    Formations->SetFormations(std::move(formations));
    if (count == 0)
        CountLabel->setText(QStringLiteral("Keine Formation der Objektliste liegt an der Lichtgrenze."));
    else
        CountLabel->setText(QString::number(count) +
                            (count == 1 ? QStringLiteral(" Formation") : QStringLiteral(" Formationen")) +
                            QStringLiteral(" an der Lichtgrenze. Doppelklick wählt die Formation auf der Karte."));
}

void TerminatorWindow::OkButtonClick() { LeaveDialog(); }

void TerminatorWindow::FormationListDoubleClick(const QModelIndex& row)
{
    if (!row.isValid() || row.row() >= Formations->rowCount()) return;
    const std::string name = Formations->Formations()[static_cast<std::size_t>(row.row())].Name;
    LeaveDialog();
    if (choose_) choose_(name);
}
