// The ephemeris table as text: the CSV file's bytes (Windows-1252, CR LF,
// ';', the decimal separator), the window's rounded figures, and the file
// replaced all or nothing.

#include "reports/ephemeris_table_text.h"
#include "platform/errors.h"
#include "platform/exported_file.h"
#include "platform/file_change.h"
#include "reports/observation_plan_text.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

EphemerisRow SampleRow()
{
    EphemerisRow r;
    r.Moment = {2003, 3, 5, 8, 7};
    r.JulianDate = 2452703.79652778;
    r.RightAscensionHours = 9.5;
    r.Declination = -5.25;
    r.Azimuth = 111.145678901234;
    r.Altitude = -0.000012;
    r.EclipticLongitude = 140;
    r.EclipticLatitude = 1.5;
    r.Distance = 60.2681234;
    r.LibrationLongitude = -6.4433;
    r.LibrationLatitude = 0.5;
    r.AxisPositionAngle = 351.7319;
    r.SunSelenographicLatitude = -1.25;
    r.TerminatorLongitude = -21.9712;
    r.Colongitude = 0.25;
    r.MoonAge = 1.5;  // within two days after new moon
    r.SunAltitude = -17.98;
    return r;
}

// The header line as the file holds it: Windows-1252 (ö = F6, ° = B0).
const char* const kHeaderBytes =
    "Datum;Zeit (MEZ);JD;Rektaszension (h);Deklination (\xB0);Azimut (\xB0);H\xF6he (\xB0);"
    "Ekliptikale L\xE4nge (\xB0);Ekliptikale Breite (\xB0);Entfernung (Erdradien);Libration in L\xE4nge (\xB0);"
    "Libration in Breite (\xB0);Positionswinkel (\xB0);Selenogr. Breite der Sonne (\xB0);Terminator (\xB0);"
    "Colongitude (\xB0);Mondalter (Tage);Phase;Sonnenh\xF6he (\xB0)\r\n";

TEST(EphemerisCsv, BytesAreWindows1252WithCrLfSemicolonsAndTheDecimalSeparator)
{
    TempWorkingDir dir;
    EphemerisRow later = SampleRow();
    later.Moment = {2003, 12, 24, 23, 59};
    later.MoonAge = 10;
    WriteEphemerisCsv("tabelle.csv", {SampleRow(), later}, ',');

    const std::string expectedRow =
        "05.03.2003;08:07;2452703,79652778;9,5;-5,25;111,145678901234;-0,000012;140;1,5;60,2681234;-6,4433;0,5;"
        "351,7319;-1,25;-21,9712;0,25;1,5;Neumond;-17,98\r\n";
    const std::string bytes = ReadBytes("tabelle.csv");
    EXPECT_EQ(bytes.substr(0, bytes.find('\n') + 1), kHeaderBytes);
    EXPECT_EQ(bytes, kHeaderBytes + expectedRow +
                         "24.12.2003;23:59;2452703,79652778;9,5;-5,25;111,145678901234;-0,000012;140;1,5;60,2681234;"
                         "-6,4433;0,5;351,7319;-1,25;-21,9712;0,25;10;zunehmend;-17,98\r\n");

    // With a point as the regional separator only the numbers change.
    WriteEphemerisCsv("punkt.csv", {SampleRow()}, '.');
    EXPECT_NE(ReadBytes("punkt.csv").find("05.03.2003;08:07;2452703.79652778;9.5;-5.25;"), std::string::npos);
}

TEST(EphemerisDisplay, RoundsEachColumnToItsDecimals)
{
    const auto fields = EphemerisDisplayFields(SampleRow(), ',');
    EXPECT_EQ(fields[2], "2452703,79653");
    EXPECT_EQ(fields[5], "111,1457");
    EXPECT_EQ(fields[6], "0,0000");  // never "-0,0000"
    EXPECT_EQ(fields[16], "1,50");
    EXPECT_EQ(fields[17], "Neumond");
    EXPECT_EQ(fields[18], "-17,98");
}

TEST(ExportedFile, ReplacesTheOldFileWholeOrLeavesItAlone)
{
    TempWorkingDir dir;
    WriteBytes("plan.csv", "alt\r\n");
    WriteBytes("plan2.csv", "eine Datei des Benutzers\r\n");

    WriteExportedFile("plan.csv", {"neu", "Höhe"});
    EXPECT_EQ(ReadBytes("plan.csv"), "neu\r\nH\xF6he\r\n");
    EXPECT_FALSE(FileExists(HiddenTwinPath("plan.csv")));
    EXPECT_EQ(ReadBytes("plan2.csv"), "eine Datei des Benutzers\r\n");  // not taken for a twin

    // A character the code page lacks: refused before anything is written.
    EXPECT_THROW(WriteExportedFile("plan.csv", {"Mond", "\xC5\x81uk"}), EncodingError);  // Ł
    EXPECT_EQ(ReadBytes("plan.csv"), "neu\r\nH\xF6he\r\n");

    // A folder that is not there: the German message names the chosen file.
    try {
        WriteExportedFile("fehlt/plan.csv", {"x"});
        FAIL() << "no error";
    } catch (const FileAccessError& error) {
        EXPECT_STREQ(error.what(),
                     "Schreiben von fehlt/plan.csv nicht möglich (der Ordner fehlt); es wurde nichts geschrieben");
    }
    EXPECT_EQ(HiddenTwinPath("/home/a.b/plan.csv"), "/home/a.b/.plan.csv.neu");

    // Never over one of the program's own files, under any name: the table
    // would replace the catalogue or the journal.
    WriteBytes("objects.dat", "Katalog\r\n");
    std::filesystem::create_symlink("objects.dat", "tabelle.csv");
    for (const char* target : {"objects.dat", "./objects.dat", "tabelle.csv", "messungen.csv"}) {
        try {
            WriteExportedFile(target, {"x"});
            FAIL() << target << ": no error";
        } catch (const FileAccessError& error) {
            EXPECT_NE(std::string(error.what()).find("des Programms selbst"), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(ReadBytes("objects.dat"), "Katalog\r\n");
    EXPECT_FALSE(FileExists("messungen.csv"));
}

}  // namespace

namespace {

TEST(PlanTexts, DatesPastMidnightCountsAndColongitude)
{
    PlanInterval interval;
    interval.Start = {2003, 4, 10, 19, 32};
    interval.End = {2003, 4, 11, 1, 8};
    interval.Best = {2003, 4, 10, 19, 32};
    interval.TransitSeconds = 2.449;
    interval.MoonAltitude = 61.64;
    interval.Colongitude = 359.96;
    const PlanIntervalTexts texts = PlanIntervalRow(interval, ',');
    EXPECT_EQ(texts.Date, "Do 10. 4. 2003");
    EXPECT_EQ(texts.Start, "19:32");
    EXPECT_EQ(texts.End, "1:08 (11. 4.)");
    EXPECT_EQ(texts.Best, "19:32");
    EXPECT_EQ(texts.Transit, "2,4 s");
    EXPECT_EQ(texts.MoonAltitude, "61,6°");
    EXPECT_EQ(texts.Colongitude, "0,0°");
    EXPECT_EQ(WeekdayDateText({2003, 3, 16, 0, 0}), "So 16. 3. 2003");

    EXPECT_EQ(PlanCountText(0, 30), "Kein Zeitraum in 30 Tagen erfüllt alle drei Bedingungen.");
    EXPECT_EQ(PlanCountText(1, 1), "1 Zeitraum in 1 Tag.");
    EXPECT_EQ(PlanCountText(3, 30), "3 Zeiträume in 30 Tagen.");
    EXPECT_EQ(PlanRangeText("Berlin", {2003, 3, 15, 0, 0}, {2003, 4, 14, 0, 0}),
              "Berlin, 15. 3. 2003 0:00 bis 14. 4. 2003 0:00 MEZ");
}

TEST(TableTexts, DatesAndTimesAsTyped)
{
    EXPECT_EQ(ReadTableDate("15.3.2003"), MezMoment(2003, 3, 15, 0, 0));
    EXPECT_EQ(ReadTableDate("29.02.2004"), MezMoment(2004, 2, 29, 0, 0));
    for (const char* bad : {"29.2.2003", "15.3.", "15.3.2003.", "15-3-2003", "1.13.2003", "1.1.0", "1.1.10000", ""})
        EXPECT_FALSE(ReadTableDate(bad)) << bad;
    MezMoment m{2003, 3, 15, 0, 0};
    EXPECT_TRUE(ReadTableTime("8:05", m));
    EXPECT_EQ(m, MezMoment(2003, 3, 15, 8, 5));
    for (const char* bad : {"24:00", "8:60", "8", "8:5:0", " 8:05", ""}) EXPECT_FALSE(ReadTableTime(bad, m)) << bad;
    EXPECT_EQ(m, MezMoment(2003, 3, 15, 8, 5));
}

}  // namespace
