#include "tests/reliability/file_changes.h"

#include "catalogue/catalogue.h"
#include "journal/measurement_journal.h"
#include "platform/text_file.h"
#include "setup/config_file.h"
#include "setup/site_list_file.h"
#include "tests/support/catalogue_records.h"

std::vector<FileChange> AllFileChanges()
{
    const std::string objects = CatalogueRecord({"100 120 150 170", "Tycho", "-43,3", "-11,2", "4800", "1", "Krater",
                                                 "Durchmesser 85 km", "Strahlensystem"}) +
                                Record("10 14 10 14", "Mein Berg", "10,1", "-0,5", "", "2") +
                                Record("50 60 50 60", "\xC4rmel", "1.5", "2.25", "100", "1");
    const std::string places = "Bonn\r\n50,7333\r\n7,1\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\nBonn\r\n1\r\n2\r\n";
    const std::string ini = "Art\r\nBonn\r\n50,7333\r\n7,1\r\nweitere Zeile\r\n";
    const std::string journal =
        "Datum;Zeit (MEZ);Ort;Breite Ort (\xB0);L\xE4nge Ort (\xB0);Formation;Breite (\xB0);L\xE4nge (\xB0);"
        "Durchgangszeit (s);H\xF6he (m);Kartenwert (m);Terminatorkorrektur (\xB0);Sonnenh\xF6he (\xB0)\r\n"
        "15.03.2003;20:05;Z\xFCrich;47,3769;8,5417;Euler;23,3;-29,2;1,5;2143,4;2150;0,1;4,5\r\n"
        "kaputt\r\n"
        "15.03.2003;20:07;Z\xFCrich;47,3769;8,5417;Euler;23,3;-29,2;1,6;2190;2150;0,1;4,5\r\n";
    JournalMeasurement measured;
    measured.Formation = "M\u00E4dler";
    measured.TransitSeconds = 1.25;
    measured.Height = 2143.4;
    const LunarObject added{120, 140, 60, 75, "Neuer Krater", "-10,5", "20", "", "Größer als gedacht", "", "", "2"};
    return {
        {"objects.dat: append",       kCatalogueFileName, objects, [added] { AppendObject(added); }              },
        {"objects.dat: delete",       kCatalogueFileName, objects, [] { DeleteUserObjects("Mein Berg"); }        },
        {"places.dat: append",        kSiteListFileName,  places,
         [] {
             AppendSite({"Köln", "50,9375", "6,9603"});
         }                                                                                                       },
        {"places.dat: replace",       kSiteListFileName,  places,
         [] {
             ReplaceSites("Bonn", {"Bonn", "50,7", "7"});
         }                                                                                                       },
        {"places.dat: remove",        kSiteListFileName,  places,  [] { RemoveSites("Bonn"); }                   },
        {"mirelta.ini: sort key",     kConfigFileName,    ini,     [] { WriteSortKey("Alph"); }                  },
        {"messungen.csv: append",     kJournalFileName,   journal, [measured] { AppendToJournal(measured, ','); }},
        {"messungen.csv: delete",     kJournalFileName,   journal,
         [] { DeleteFromJournal({ReadJournal().Entries.front()}); }                                              },
        {"mirelta.ini: current site", kConfigFileName,    ini,
         [] {
             WriteCurrentSite({"Zürich", "47,3769", "8,5417"});
         }                                                                                                       },
    };
}

std::string TwinOf(const FileChange& change) { return TwinName(change.file); }
