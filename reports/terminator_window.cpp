#include "reports/terminator_window.h"

#include "platform/form_widgets.h"
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

struct ColumnDesign {
    const char* caption;
    int width;  ///< pixels
    bool rightAligned;
};

// Wide enough for the longest catalogue name (30 characters), "Geländestufe",
// "12,0°", "Morgen", "11000m" and "- - -" in the window's font.
constexpr ColumnDesign kColumns[TerminatorWindow::ColumnCount] = {
    {"Name",        176, false},
    {"Art",         84,  false},
    {"Sonnenhöhe", 76,  true },
    {"Lichtgrenze", 72,  false},
    {"Höhe",       52,  true },
    {"Durchgang",   68,  true },
};

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

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

    FormationList = new QTreeWidget(this);
    FormationList->setObjectName(QStringLiteral("FormationList"));
    FormationList->setFont(FormFont());
    FormationList->setGeometry(kMargin, kListTop, kClientWidth - 2 * kMargin, kListHeight);
    FormationList->setRootIsDecorated(false);
    FormationList->setUniformRowHeights(true);
    FormationList->setAllColumnsShowFocus(true);
    FormationList->setSelectionMode(QAbstractItemView::SingleSelection);
    FormationList->setColumnCount(ColumnCount);
    FormationList->header()->setSectionsMovable(false);
    FormationList->header()->setStretchLastSection(false);
    auto* headings = new QTreeWidgetItem;
    for (int column = 0; column < ColumnCount; ++column) {
        headings->setText(column, QString::fromUtf8(kColumns[column].caption));
        headings->setTextAlignment(column, kColumns[column].rightAligned ? Qt::AlignRight : Qt::AlignLeft);
        FormationList->setColumnWidth(column, kColumns[column].width);
    }
    headings->setToolTip(SunAltitudeColumn, QStringLiteral("Höhe der Sonne über dem Horizont der Formation"));
    headings->setToolTip(HeightColumn, QStringLiteral("Höhe der Formation laut Objektliste"));
    headings->setToolTip(TransitColumn,
                         QStringLiteral("Zu erwartende Durchgangszeit des Bergschattens durchs Teleskopvisier"));
    FormationList->setHeaderItem(headings);
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
    const std::vector<CatalogueFormation> catalogue = source_ ? source_() : std::vector<CatalogueFormation>{};
    const TerminatorSurvey survey = SurveyTerminator(state_, catalogue);
    SetFittedText(HeadingLabel, TerminatorHeading(state_, survey.Sun, decimalSeparator_));
    FillList(survey.Formations);
}

void TerminatorWindow::FillList(const std::vector<TerminatorFormation>& formations)
{
    FormationList->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(formations.size()));
    for (const TerminatorFormation& f : formations) {
        auto* row = new QTreeWidgetItem;
        row->setText(NameColumn, FromUtf8(f.Name));
        row->setText(KindColumn, FromUtf8(f.Kind));
        row->setText(SunAltitudeColumn, FromUtf8(OneDecimalText(f.SunAltitude, decimalSeparator_) + "°"));
        row->setText(SideColumn, FromUtf8(TerminatorSideText(f.Side)));
        row->setText(HeightColumn, FromUtf8(CatalogueHeightText(f.Height)));
        row->setText(TransitColumn, FromUtf8(TransitTimeText(f.TransitSeconds, decimalSeparator_)));
        for (int column = 0; column < ColumnCount; ++column)
            if (kColumns[column].rightAligned) row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
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
