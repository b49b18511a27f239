// The main window's panel "Höhenberechnung" (GroupBox2): the measured
// transit time of a mountain's shadow in, the height and its deviation from
// the catalogue out; and saving each shown height to the measurement
// journal. The computation lives in journal/height_measurement.h, the journal
// in journal/measurement_journal.h and journal/journal_statistics.h.

#include "app/Unit1.h"
#include "journal/height_measurement.h"
#include "journal/journal_statistics.h"
#include "platform/form_widgets.h"
#include "platform/number_text.h"
#include "platform/sexagesimal.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

void TForm1::CreateHeightPanel(QWidget* client)
{
    GroupBox2 = PlaceGroup(client, "GroupBox2", QStringLiteral("Höhenberechnung"), 424, 248, 193, 201);
    GroupBox2->hide();
    PlaceLabel(GroupBox2, "Label19", QStringLiteral("Gemessene Durchgangszeit des"), 16, 24);
    PlaceLabel(GroupBox2, "Label28", QStringLiteral("Bergschattens in Sekunden:"), 16, 40);
    Edit1 = PlaceEdit(GroupBox2, "Edit1", 16, 56, 65, 21, 5);
    Edit1->setStatusTip(
        QStringLiteral("Geben Sie die gemessene Durchgangszeit des Schattens durchs Teleskopvisier ein"));
    connect(Edit1, &QLineEdit::textChanged, this, [this] { Guarded(&TForm1::Edit1Change); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Guarded(&TForm1::Messungspeichern1Click); });
    PlaceLabel(GroupBox2, "Label29", QStringLiteral("(Intervall 0 bis 5,"), 96, 56)->setFont(NoteFont(10));
    PlaceLabel(GroupBox2, "Label30", QStringLiteral(" dez. Schreibweise)"), 96, 66)->setFont(NoteFont(10));

    Panel8 = PlacePanel(GroupBox2, "Panel8", 16, 88, 164, 73, QFrame::Sunken);
    Panel8->setFont(FormFont());
    QLabel* heightCaption = PlaceLabel(Panel8, "Label31", QStringLiteral("Errechnete Höhe:"), 6, 7);
    QFont underlined = heightCaption->font();
    underlined.setUnderline(true);
    heightCaption->setFont(underlined);
    PlaceLabel(Panel8, "Label32", QStringLiteral("Abweichung"), 7, 24);
    PlaceLabel(Panel8, "Label33", QStringLiteral("vom Kartenwert:"), 6, 37);
    PlaceLabel(Panel8, "Label2", QStringLiteral("Aktuelle Libration:"), 7, 54);
    Label35 = PlaceValueLabel(Panel8, "Label35", 96, 5, 64);
    SetLabelStyle(Label35, kValueColour, true);
    Label34 = PlaceValueLabel(Panel8, "Label34", 96, 35, 64);
    Label1 = PlaceValueLabel(Panel8, "Label1", 96, 51, 64);

    Label26 = PlaceValueLabel(GroupBox2, "Label26", 16, 168, 175);
    Label27 = PlaceValueLabel(GroupBox2, "Label27", 16, 184, 175);
    for (QLabel* note : {Label26, Label27}) {
        note->setFont(NoteFont(9, false, true));
        SetLabelStyle(note, Qt::black, false);
    }
}

void TForm1::CreateJournalCommands()
{
    Mondzustand1->addSeparator();
    // G: S belongs to "Sichtverhältnisse einschätzen" above.
    Messungspeichern1 = AddCommand(Mondzustand1, "Messungspeichern1", QStringLiteral("Messun&g speichern"),
                                   &TForm1::Messungspeichern1Click);
    Messungspeichern1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Messungspeichern1->setEnabled(false);
    Messprotokoll1 =
        AddCommand(Mondzustand1, "Messprotokoll1", QStringLiteral("&Messprotokoll..."), &TForm1::Messprotokoll1Click);
}

void TForm1::Edit1Change()
{
    // Until a height is shown for this very text, there is nothing to save.
    SetSavableMeasurement(std::nullopt);
    noHeightExplanation_.clear();
    QString text = Edit1->text();
    if (text.isEmpty()) {
        for (QLabel* label : {Label26, Label27, Label34, Label35, Label1}) label->clear();
        Label35->setToolTip(QString());
        return;
    }
    // The timing is computed for the moment it is typed in.
    ReadClockIfFollowing();
    // Typed in the dark at the eyepiece: "1.5" means what "1,5" means, under
    // either regional setting.
    double transitSeconds = FileTextToFloat(text.toStdString());
    if (!IsMeasurableTransitTime(transitSeconds)) return;  // the labels keep what they show

    Label26->setText(QString::fromStdString(MeasurementDateLine(state_)));
    Label27->setText(QString::fromStdString(MeasurementSiteLine(state_)));
    // Catalogue numbers may be written with either separator.
    double latitude = FileTextToFloat(SelectedLatitudeText);
    double longitude = FileTextToFloat(SelectedLongitudeText);
    HeightMeasurement measured = MeasureMountainHeight(state_, transitSeconds, latitude, longitude);
    Label35->setText(QString::fromStdString(HeightResultText(measured, decimalSeparator_)));
    noHeightExplanation_ = NoHeightExplanation(measured.Reason);
    Label35->setToolTip(QString::fromStdString(noHeightExplanation_));
    Label34->setText(QString::fromStdString(DeviationText(measured.Height, SelectedHeightText)));
    Label1->setText(QString::fromStdString(AngleText(measured.TerminatorCorrection)));
    if (!measured.Height) return;  // a reason instead of a height is never saved

    SetSavableMeasurement(JournalMeasurement{
        .Day = state_.Day,
        .Month = state_.Month,
        .Year = state_.Year,
        .Hour = state_.Hour,
        .Minute = state_.Minute,
        .SiteName = state_.SiteName,
        .SiteLatitude = state_.Latitude,
        .SiteLongitude = state_.Longitude,
        .Formation = Label5->text().toStdString(),
        .FormationLatitude = latitude,
        .FormationLongitude = longitude,
        .TransitSeconds = transitSeconds,
        .Height = *measured.Height,
        .CatalogueHeight = SelectedHeightText,
        .TerminatorCorrection = measured.TerminatorCorrection,
        // The ephemerides the measurement ran are still in the state.
        .SunAltitude = SunAltitudeOver(SunOverMoonFromEphemerides(state_), latitude, longitude),
    });
}

void TForm1::SetSavableMeasurement(std::optional<JournalMeasurement> measurement)
{
    savableMeasurement_ = std::move(measurement);
    Messungspeichern1->setEnabled(savableMeasurement_.has_value());
}

void TForm1::Messungspeichern1Click()
{
    // Ctrl+S reaches here also while the new-object panel covers this one.
    const bool panelShown = !GroupBox2->isHidden() && GroupBox3->isHidden();
    // Saved with the moment of saving: a timing kept a few minutes after it
    // was typed is computed again for now.
    if (savableMeasurement_ && panelShown && ReadClockIfFollowing()) Edit1Change();
    if (!savableMeasurement_ || !panelShown) {
        QString message = QStringLiteral("Keine errechnete Höhe: es wurde nichts gespeichert.");
        if (!noHeightExplanation_.empty() && panelShown)
            message += QLatin1Char(' ') + QString::fromStdString(noHeightExplanation_);
        StatusBar1->showMessage(message);
        return;
    }
    const JournalMeasurement saved = *savableMeasurement_;
    AppendToJournal(saved, decimalSeparator_);
    Edit1->clear();  // ready for the next timing

    const Journal journal = ReadJournal();
    std::string report =
        SavedMeasurementText(saved.Formation, NightStatistics(journal.Entries, saved.Formation, NightOf(saved)));
    report += SkippedLinesNote(journal.Damaged.size());
    StatusBar1->showMessage(QString::fromStdString(report));
}

void TForm1::Messprotokoll1Click() { OpenDialogWindow(dialogs_.Journal); }
