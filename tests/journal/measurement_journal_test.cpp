// The journal file messungen.csv: the round trip of its lines under either
// decimal separator and with umlauts and separators in names, a missing,
// empty, damaged or write-protected file, and deleting lines through the
// twin.

#include "journal/measurement_journal.h"
#include "platform/errors.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace {

const std::string kHeader =
    "Datum;Zeit (MEZ);Ort;Breite Ort (\xB0);L\xE4nge Ort (\xB0);Formation;Breite (\xB0);L\xE4nge (\xB0);"
    "Durchgangszeit (s);H\xF6he (m);Kartenwert (m);Terminatorkorrektur (\xB0);Sonnenh\xF6he (\xB0)\r\n";

JournalMeasurement Sample()
{
    JournalMeasurement m;
    m.Day = 15, m.Month = 3, m.Year = 2003, m.Hour = 20, m.Minute = 5;
    m.SiteName = "Zürich";
    m.SiteLatitude = 47.3769;
    m.SiteLongitude = 8.5417;
    m.Formation = "Mädler";
    m.FormationLatitude = -11.2;
    m.FormationLongitude = 29.8;
    m.TransitSeconds = 1.25;
    m.Height = 2143.4;
    m.CatalogueHeight = "2140";
    m.TerminatorCorrection = 0.1234;
    m.SunAltitude = 4.5678;
    return m;
}

std::vector<JournalMeasurement> Measurements(const Journal& journal)
{
    std::vector<JournalMeasurement> result;
    for (const JournalEntry& e : journal.Entries) result.push_back(e.Measurement);
    return result;
}

// The failure and its message, or "" when none.
template <class Change>
std::string Failure(Change change)
{
    try {
        change();
    } catch (const MireltaError& error) {
        return error.what();
    }
    return {};
}

TEST(MeasurementJournal, RoundTripUnderEitherSeparatorWithUmlautsAndSeparatorsInNames)
{
    TempWorkingDir dir;
    JournalMeasurement quoted = Sample();
    quoted.Formation = "Berg; \"Nord\"";
    quoted.CatalogueHeight = "ca. 1500";
    quoted.Hour = 9, quoted.Minute = 0;
    for (char separator : {',', '.'}) {
        std::remove(kJournalFileName);
        AppendToJournal(Sample(), separator);
        AppendToJournal(quoted, separator);
        const std::string bytes = ReadBytes(kJournalFileName);
        const std::string number = std::string("47") + separator + "3769";
        EXPECT_EQ(bytes, kHeader + "15.03.2003;20:05;Z\xFCrich;" + number + ";8" + separator +
                             "5417;M\xE4"
                             "dler;-11" +
                             separator + "2;29" + separator + "8;1" + separator + "25;2143" + separator + "4;2140;0" +
                             separator + "1234;4" + separator + "5678\r\n15.03.2003;9:00;Z\xFCrich;" + number + ";8" +
                             separator + "5417;\"Berg; \"\"Nord\"\"\";-11" + separator + "2;29" + separator + "8;1" +
                             separator + "25;2143" + separator + "4;ca. 1500;0" + separator + "1234;4" + separator +
                             "5678\r\n");
        Journal journal = ReadJournal();
        EXPECT_TRUE(journal.Damaged.empty());
        EXPECT_EQ(Measurements(journal), (std::vector<JournalMeasurement>{Sample(), quoted})) << separator;
        EXPECT_EQ(journal.Entries[1].Line, 3);
    }
}

TEST(MeasurementJournal, APhotoMeasurementIsALineTheVersionBeforeReadsAsATimingOfZeroSeconds)
{
    JournalMeasurement photo = Sample();
    photo.PhotoName = "Mond; \"erste\" (2).tif";
    photo.TransitSeconds = 0.7;  // no timing: the line says 0
    const std::string line = JournalLine(photo, ',');

    // A reader without photographs: the 13 fields with their old ranges, a
    // timing of 0 s at a site that names the picture, the same height.
    const JournalMeasurement old = ParseJournalFields(line);
    EXPECT_EQ(old.TransitSeconds, 0);
    EXPECT_EQ(old.SiteName, "Zürich (Foto: Mond; \"erste\" (2).tif)");
    EXPECT_EQ(old.Height, photo.Height);
    EXPECT_EQ(old.Formation, photo.Formation);
    EXPECT_TRUE(old.PhotoName.empty());

    photo.TransitSeconds = 0;
    EXPECT_EQ(ParseJournalLine(line), photo);
    EXPECT_EQ(JournalLine(ParseJournalLine(line), ','), line);

    // A timing never names a picture, whatever its site is called.
    JournalMeasurement timing = Sample();
    timing.SiteName = "Sternwarte (Foto: Dach)";
    EXPECT_EQ(ParseJournalLine(JournalLine(timing, ',')), timing);

    TempWorkingDir dir;
    AppendToJournal(timing, ',');
    AppendToJournal(photo, '.');
    const Journal journal = ReadJournal();
    EXPECT_EQ(Measurements(journal), (std::vector<JournalMeasurement>{timing, photo}));
    EXPECT_TRUE(journal.Damaged.empty());

    photo.PhotoName = "Mond\u2609.tif";  // a name Windows-1252 cannot hold
    EXPECT_NE(Failure([&] { AppendToJournal(photo, ','); }).find("Bildname"), std::string::npos);
    EXPECT_EQ(ReadJournal().Entries.size(), 2u);
}

TEST(MeasurementJournal, DamagedLinesAreNamedSkippedAndKeptByteForByte)
{
    TempWorkingDir dir;
    AppendToJournal(Sample(), ',');
    const std::string good = ReadBytes(kJournalFileName).substr(kHeader.size());
    const std::string damaged =
        "15.03.2003;20:05;Bonn;zu kurz\r\n"
        "31.02.2003;20:05;Bonn;50;7;Euler;23;-29;1;2000;;0;1\r\n"
        "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;7;2000;;0;1\r\n"
        "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;1;abc;;0;1\r\n";
    const std::string before = kHeader + good + damaged + "\r\n" + good;
    WriteBytes(kJournalFileName, before);

    Journal journal = ReadJournal();
    EXPECT_EQ(journal.Entries.size(), 2u);
    ASSERT_EQ(journal.Damaged.size(), 4u);
    EXPECT_EQ(journal.Damaged[0].Message, "messungen.csv, Zeile 3: 4 statt 13 Feldern");
    EXPECT_EQ(journal.Damaged[1].Message, "messungen.csv, Zeile 4: '31.02.2003' ist kein gültiges Datum");
    EXPECT_EQ(journal.Damaged[2].Line, 5);  // 7 s is beyond the 5 s the panel takes
    EXPECT_EQ(journal.Damaged[3].Message, "messungen.csv, Zeile 6: 'abc' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(journal.Entries[1].Line, 8);           // after the blank line 7
    EXPECT_EQ(ReadBytes(kJournalFileName), before);  // reading never writes

    AppendToJournal(Sample(), ',');  // appending keeps every old byte
    EXPECT_EQ(ReadBytes(kJournalFileName), before + good);
}

TEST(MeasurementJournal, LinesTheWriterNeverWritesAreDamagedNotMisread)
{
    TempWorkingDir dir;
    JournalMeasurement early = Sample();
    early.Year = 302;  // written with four digits, read back as the year 302
    AppendToJournal(early, ',');
    const char* const damaged[] = {
        "15.03.3;20:05;Bonn;50;7;Euler;23;-29;1;2000;;0;1",      // a cut year, not the year 3
        "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;1;1.000;;0;1",  // grouped thousands, not 1 m
        "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;1;12,500;;0;1",
        "15.03.2003;20:05;Bo\tnn;50;7;Euler;23;-29;1;2000;;0;1",
        "15.03.2003;20:05;Bonn;50;7;Eu\rler;23;-29;1;2000;;0;1",  // a lone CR
        "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;1;2000;;0;1\x1B",
    };
    std::string bytes = ReadBytes(kJournalFileName);
    for (const char* line : damaged) bytes += line + std::string("\r\n");
    const char withNul[] = "15.03.2003;20:05;Bonn;50;7;Euler;23;-29;1;2000\0;;0;1\r\n";
    bytes += std::string(withNul, sizeof withNul - 1);
    WriteBytes(kJournalFileName, bytes);

    const Journal journal = ReadJournal();
    ASSERT_EQ(journal.Entries.size(), 1u);
    EXPECT_EQ(journal.Entries[0].Measurement, early);
    EXPECT_EQ(JournalDateText(early), "15.03.0302");
    ASSERT_EQ(journal.Damaged.size(), 7u);
    EXPECT_EQ(journal.Damaged[0].Message, "messungen.csv, Zeile 3: '15.03.3' ist kein gültiges Datum");
    EXPECT_EQ(journal.Damaged[1].Message,
              "messungen.csv, Zeile 4: '1.000' ist keine gültige Höhe (Tausendertrennzeichen?)");
    EXPECT_EQ(journal.Damaged[3].Message, "messungen.csv, Zeile 6: die Zeile enthält einen Tabulator");
    EXPECT_EQ(journal.Damaged[6].Message, "messungen.csv, Zeile 9: die Zeile enthält ein Nullzeichen");
    // What was read can always be written again.
    ExportJournal({journal.Entries[0].Measurement}, ',', "export.csv");
    EXPECT_EQ(ReadJournal("export.csv").Entries.size(), 1u);
}

TEST(MeasurementJournal, AUtf8JournalWindows1252CannotHoldIsReadAndAppendedToButNeverRewritten)
{
    TempWorkingDir dir;
    const std::string utf8 =
        "Datum;Zeit (MEZ);Ort;Breite Ort (°);Länge Ort (°);Formation;Breite (°);Länge (°);"
        "Durchgangszeit (s);Höhe (m);Kartenwert (m);Terminatorkorrektur (°);Sonnenhöhe (°)\n"
        "15.03.2003;20:05;Zürich;47,3769;8,5417;Ωmega;23,3;-29,2;1,5;2143,4;2150;0,1;4,5\n";
    WriteBytes(kJournalFileName, utf8);
    const Journal journal = ReadJournal();
    ASSERT_EQ(journal.Entries.size(), 1u);
    EXPECT_EQ(journal.Entries[0].Measurement.Formation, "Ωmega");
    EXPECT_EQ(journal.ReadOnlyReason.rfind("messungen.csv, Zeile 2: ", 0), 0u) << journal.ReadOnlyReason;

    AppendToJournal(Sample(), ',');  // the old bytes stay, the new line is UTF-8 too
    EXPECT_EQ(ReadBytes(kJournalFileName), utf8 + JournalLine(Sample(), ',') + "\r\n");
    EXPECT_EQ(ReadJournal().Entries.size(), 2u);

    const std::string before = ReadBytes(kJournalFileName);
    EXPECT_THROW(DeleteFromJournal({ReadJournal().Entries.back()}), EncodingError);
    EXPECT_EQ(ReadBytes(kJournalFileName), before);
}

TEST(MeasurementJournal, AMissingFileIsEmptyAndCreatedWithItsHeader)
{
    TempWorkingDir dir;
    Journal journal = ReadJournal();
    EXPECT_TRUE(journal.Entries.empty());
    EXPECT_TRUE(journal.Damaged.empty());
    EXPECT_FALSE(FileExists(kJournalFileName));  // reading creates nothing

    WriteBytes(kJournalFileName, "");  // an empty file gets the header too
    AppendToJournal(Sample(), ',');
    EXPECT_EQ(ReadBytes(kJournalFileName).substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(ReadJournal().Entries.size(), 1u);
}

TEST(MeasurementJournal, AWriteProtectedFileOrABadNameChangesNothing)
{
    TempWorkingDir dir;
    AppendToJournal(Sample(), ',');
    const std::string before = ReadBytes(kJournalFileName);

    JournalMeasurement badName = Sample();
    badName.Formation = "Euler\nZwei";
    EXPECT_EQ(Failure([&] { AppendToJournal(badName, ','); }),
              "Das Feld \u201EFormation\u201C enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts "
              "gespeichert");
    badName.Formation = "Ωmega";
    EXPECT_NE(Failure([&] { AppendToJournal(badName, ','); }).find("\u201EFormation\u201C"), std::string::npos);

    std::filesystem::permissions(kJournalFileName,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const std::string refused =
        "Schreiben von messungen.csv nicht möglich (die Datei ist schreibgeschützt); die Datei ist unverändert";
    EXPECT_EQ(Failure([&] { AppendToJournal(Sample(), ','); }), refused);
    EXPECT_EQ(Failure([&] { DeleteFromJournal(ReadJournal().Entries); }), refused);
    EXPECT_EQ(ReadBytes(kJournalFileName), before);
    EXPECT_FALSE(FileExists("messungen2.csv"));
}

TEST(MeasurementJournal, DeletingGoesThroughTheTwinAndRemovesExactlyTheLinesRead)
{
    TempWorkingDir dir;
    for (int minute : {1, 2, 3}) {
        JournalMeasurement m = Sample();
        m.Minute = minute;
        AppendToJournal(m, ',');
    }
    const std::string damaged = "kaputt\r\n";
    WriteBytes(kJournalFileName, ReadBytes(kJournalFileName) + damaged);
    ::chmod(kJournalFileName, 0640);
    WriteBytes("messungen2.csv", "vom letzten Mal");  // a stale twin disturbs nothing

    Journal journal = ReadJournal();
    ASSERT_EQ(journal.Entries.size(), 3u);
    std::vector<JournalEntry> first = {journal.Entries[0]};
    std::vector<JournalEntry> last = {journal.Entries[2]};
    EXPECT_EQ(DeleteFromJournal(last), 1);
    EXPECT_FALSE(FileExists("messungen2.csv"));
    struct stat info {};
    ::stat(kJournalFileName, &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    Journal after = ReadJournal();
    ASSERT_EQ(after.Entries.size(), 2u);
    EXPECT_EQ(after.Entries[1].Measurement.Minute, 2);
    EXPECT_EQ(ReadBytes(kJournalFileName).substr(ReadBytes(kJournalFileName).size() - damaged.size()), damaged);

    // Line 2 still holds what was read, line 4 no longer does: nothing goes.
    const std::string before = ReadBytes(kJournalFileName);
    std::vector<JournalEntry> stale = {journal.Entries[0], journal.Entries[2]};
    EXPECT_NE(Failure([&] { DeleteFromJournal(stale); }).find("es wurde nichts gelöscht"), std::string::npos);
    EXPECT_EQ(ReadBytes(kJournalFileName), before);
    EXPECT_EQ(DeleteFromJournal(first), 1);
    EXPECT_EQ(ReadJournal().Entries.size(), 1u);
}

TEST(MeasurementJournal, ExportWritesTheGivenMeasurementsAsAJournal)
{
    TempWorkingDir dir;
    JournalMeasurement second = Sample();
    second.Minute = 30;
    ExportJournal({second, Sample()}, '.', "export.csv");
    WriteBytes("copy.csv", "alt");
    WriteBytes(".copy.csv.neu", "eine Datei des Benutzers");  // never taken for a stale twin
    ExportJournal({second, Sample()}, '.', "copy.csv");       // an existing file is replaced
    EXPECT_EQ(ReadBytes(".copy.csv.neu"), "eine Datei des Benutzers");
    for (const char* name : {"export.csv", "copy.csv"}) {
        Journal exported = ReadJournal(name);
        EXPECT_EQ(Measurements(exported), (std::vector<JournalMeasurement>{second, Sample()})) << name;
        EXPECT_EQ(ReadBytes(name).substr(0, kHeader.size()), kHeader);
    }

    // Never over the journal itself, by any name: a filtered view would replace it.
    AppendToJournal(Sample(), ',');
    const std::string journal = ReadBytes(kJournalFileName);
    std::filesystem::create_symlink(kJournalFileName, "verweis.csv");
    const std::vector<std::string> names = {kJournalFileName, "./messungen.csv",
                                            (dir.path() / kJournalFileName).string(), "verweis.csv"};
    for (const std::string& name : names) {
        EXPECT_NE(Failure([&] { ExportJournal({second}, ',', name); }).find("das ist das Messprotokoll"),
                  std::string::npos)
            << name;
    }
    EXPECT_EQ(ReadBytes(kJournalFileName), journal);
}

}  // namespace
