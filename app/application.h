#pragma once
// The program's windows, created once at start in a fixed order and kept
// until the program ends.

#include "app/Unit1.h"
#include "journal/journal_window.h"
#include "map/eyepiece_window.h"
#include "photo/photo_window.h"
#include "reports/Unit2.h"
#include "reports/Unit5.h"
#include "reports/Unit6.h"
#include "reports/Unit7.h"
#include "reports/planner_window.h"
#include "reports/terminator_window.h"
#include "setup/Unit3.h"
#include "setup/Unit4.h"
#include "setup/Unit9.h"

#include <memory>

/// What the program sets once its QApplication exists: its name, the
/// pictures, the window icon, and the style and font every fixed layout is
/// drawn for, whatever the desktop.
void PrepareApplication();

struct MireltaWindows {
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
    std::unique_ptr<TForm5> Form5;
    std::unique_ptr<TForm6> Form6;
    std::unique_ptr<TForm7> Form7;
    std::unique_ptr<TForm9> Form9;
    std::unique_ptr<TerminatorWindow> Terminator;  ///< "Lichtgrenze", filled only when opened
    std::unique_ptr<PlannerWindow> Planner;        ///< "Beobachtungsplaner", filled only when opened
    std::unique_ptr<JournalWindow> Journal;        ///< "Messprotokoll", filled only when opened
    std::unique_ptr<EyepieceWindow> Eyepiece;      ///< "Mond im Okular", filled only when opened
    std::unique_ptr<PhotoWindow> Photo;            ///< "Höhe aus Foto", filled only when opened
};

/// Creates the eight windows in their order, running each one's FormCreate
/// right after its creation: the main window reads the list order and fills
/// the list, the about box reads the clock, the site dialog reads the
/// current site, the time dialog shows the time, the reports compute once.
/// An error in one FormCreate is reported and the start goes on; an error
/// text already shown during the start is not shown again. Then the windows
/// "Lichtgrenze", "Beobachtungsplaner", "Messprotokoll", "Mond im Okular" and
/// "Höhe aus Foto" are created, hidden and empty.
/// `clock` is read by the about box's creation and, while "Uhrzeit
/// mitführen" is checked, before every computation of the main window.
std::unique_ptr<MireltaWindows> CreateWindows(ObservationState& state, MessageService& messages, char decimalSeparator,
                                              const ClockSource& clock = ReadSystemClock);
