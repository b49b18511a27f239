// The command line: exit codes and German messages for bad arguments, the
// site from places.dat (also with an umlaut), and the decimal comma.

#include "app/command_line.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunWith(const std::vector<std::string>& arguments)
{
    std::ostringstream out, err;
    const int status = RunCommandLine(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Table(std::vector<std::string> more)
{
    std::vector<std::string> arguments = {"--tabelle", "--von", "15.3.2003", "--bis", "15.3.2003", "--schritt", "60"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

const std::vector<std::string> kBerlin = {"--breite", "52,52", "--laenge", "13.405"};

/// --hoehe for Copernicus on 18 December 2026, 16:35 MEZ, from Berlin.
std::vector<std::string> Height(std::vector<std::string> more, const std::string& seconds = "2,110707")
{
    std::vector<std::string> arguments = {"--hoehe", "--datum",  "18.12.2026", "--zeit",      "16:35", "--ort",
                                          "Berlin",  "--objekt", "Copernicus", "--durchgang", seconds};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

/// places.dat with Berlin and objects.dat with Copernicus, as shipped.
void WriteSiteAndCatalogue()
{
    WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n");
    WriteBytes("objects.dat", Record("140 160 180 200", "Copernicus", "9,6209", "-20,0786", "3800", "1") +
                                  Record("10 14 10 14", "Ohne Lage", "", "", "", "0"));
}

// --ort's second place to look, the working folder, inside the test's own
// folder instead of the user's ~/Mirelta.
class WorkingFolderInside {
public:
    explicit WorkingFolderInside(const TempWorkingDir& dir) : folder_(dir.path() / "Arbeitsordner")
    {
        setenv("MIRELTA_WORKDIR", folder_.c_str(), 1);
    }
    ~WorkingFolderInside() { unsetenv("MIRELTA_WORKDIR"); }
    const std::filesystem::path& path() const { return folder_; }

private:
    std::filesystem::path folder_;
};

struct BadCall {
    const char* why;
    std::vector<std::string> arguments;
    const char* message;  // the first line on standard error, after "mirelta: "
};

class CommandLineBadCall : public testing::TestWithParam<BadCall> {};

TEST_P(CommandLineBadCall, ExitsWithTwoAndAGermanMessage)
{
    TempWorkingDir dir;
    WorkingFolderInside workingFolder(dir);
    WriteSiteAndCatalogue();
    const Outcome run = RunWith(GetParam().arguments);
    EXPECT_EQ(run.status, kExitBadArguments);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("mirelta: ") + GetParam().message + "\nAufruf und Optionen: mirelta --hilfe\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineBadCall,
    testing::Values(
        BadCall{
            "unknown", Table({"--farbe"}
             ), "unbekannte Option '--farbe'."
},
        BadCall{"no option", {"--tabelle", "15.3.2003"}, "'15.3.2003' ist keine Option; Optionen beginnen mit --."},
        BadCall{"twice", Table({"--von", "1.1.2003"}), "'--von' ist mehrfach angegeben."},
        BadCall{"no value", {"--tabelle", "--von"}, "'--von' erwartet einen Wert."},
        BadCall{"switch with value", Table({"--komma=ja"}), "'--komma' erwartet keinen Wert."},
        BadCall{"no table",
                {"--von", "15.3.2003"},
                "--tabelle, --hoehe oder --ereignisse fehlt; die Befehlszeile gibt die Ephemeridentabelle, eine Höhe "
                "oder die Ereignisse des Mondes aus."},
        BadCall{"missing step",
                {"--tabelle", "--von", "1.1.2003", "--bis", "2.1.2003", "--ort", "Berlin"},
                "--schritt fehlt."},
        BadCall{"31 February",
                {"--tabelle", "--von", "31.2.2003", "--bis", "1.3.2003", "--schritt", "60"},
                "'31.2.2003' ist kein gültiges Datum für --von (Tag.Monat.Jahr, z. B. 15.3.2003)."},
        BadCall{"backwards",
                {"--tabelle", "--von", "16.3.2003", "--bis", "15.3.2003", "--schritt", "60", "--ort", "Berlin"},
                "--bis 15.3.2003 liegt vor --von 16.3.2003."},
        BadCall{"hour 24", Table({"--zeit", "24:00", "--ort", "Berlin"}),
                "'24:00' ist keine gültige Uhrzeit für --zeit (Stunde:Minute in MEZ, z. B. 20:05)."},
        BadCall{"no step",
                {"--tabelle", "--von", "15.3.2003", "--bis", "15.3.2003", "--schritt", "0", "--ort", "Berlin"},
                "'0' ist kein gültiger Schritt für --schritt (ganze Minuten ab 1, z. B. 60)."},
        BadCall{"no site", Table({}), "der Beobachtungsort fehlt: --ort NAME oder --breite und --laenge."},
        BadCall{"two sites", Table({"--ort", "Berlin", "--breite", "50"}),
                "--ort und --breite/--laenge schließen einander aus."},
        BadCall{"no longitude", Table({"--breite", "50"}), "--laenge fehlt."},
        BadCall{"latitude 91", Table({"--breite", "91", "--laenge", "0"}),
                "'91' ist kein gültiger Wert für --breite (Grad von -90 bis 90, z. B. 52,52)."},
        BadCall{"longitude text", Table({"--breite", "50", "--laenge", "Ost"}),
                "'Ost' ist kein gültiger Wert für --laenge (Grad von -180 bis 180, z. B. 13,405)."},
        BadCall{"unknown site", Table({"--ort", "Atlantis"}),
                "der Beobachtungsort 'Atlantis' steht nicht in places.dat."},
        BadCall{"a height's option for the table", Table({"--ort", "Berlin", "--durchgang", "1"}),
                "'--durchgang' gehört nicht zu --tabelle."},
        BadCall{"a table's option for a height", Height({"--schritt", "60"}), "'--schritt' gehört nicht zu --hoehe."},
        BadCall{"height without time",
                {"--hoehe", "--datum", "18.12.2026", "--ort", "Berlin", "--objekt", "Copernicus", "--durchgang", "1"},
                "--zeit fehlt."},
        BadCall{"height without formation",
                {"--hoehe", "--datum", "18.12.2026", "--zeit", "16:35", "--ort", "Berlin", "--durchgang", "1"},
                "die Formation fehlt: --objekt NAME oder --objekt-breite und --objekt-laenge."},
        BadCall{"two formations", Height({"--objekt-breite", "9"}),
                "--objekt und --objekt-breite/--objekt-laenge schließen einander aus."},
        BadCall{"transit text", Height({}, "zwei"),
                "'zwei' ist keine gültige Durchgangszeit für --durchgang (Sekunden, z. B. 1,5)."},
        BadCall{"unknown formation",
                {"--hoehe", "--datum", "18.12.2026", "--zeit", "16:35", "--ort", "Berlin", "--objekt", "Atlantis",
                 "--durchgang", "1"},
                "die Formation 'Atlantis' steht nicht in objects.dat."},
        // Echoed with its control characters visible, cut after 40 characters.
        BadCall{"terminal escape", Table({"--ort", "Atlan\x1B[2Jtis\u202E" + std::string(60, 'x')}),
                "der Beobachtungsort 'Atlan\\x1B[2Jtis\\u202Exxxxxxxxxxxxxxxxxxxxxxxxxxx…' steht nicht in places.dat."},
        BadCall{"file name", {"mond.txt"}, "'mond.txt' ist keine Option; Optionen beginnen mit --."}),
    [](const testing::TestParamInfo<BadCall>& info) {
        std::string name = info.param.why;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(CommandLine, HelpVersionAndAMissingSiteList)
{
    TempWorkingDir dir;
    WorkingFolderInside workingFolder(dir);
    const Outcome help = RunWith({"--hilfe"});
    EXPECT_EQ(help.status, kExitSuccess);
    EXPECT_EQ(help.out.rfind("Aufruf:\n", 0), 0u);
    EXPECT_NE(help.out.find("Datum;Zeit (MEZ);JD;Rektaszension (h);"), std::string::npos);
    EXPECT_EQ(RunWith({"--help"}).out, help.out);
    EXPECT_TRUE(IsCommandLineCall({"-h"}));  // the usual short form, no window
    EXPECT_EQ(RunWith({"-h"}).out, help.out);
    EXPECT_EQ(RunWith({"--tabelle", "--hilfe"}).out, help.out);  // help wins

    const Outcome version = RunWith({"--version"});
    EXPECT_EQ(version.status, kExitSuccess);
    EXPECT_EQ(version.out, "Mirelta 2.1\n");  // as the about box says

    // No places.dat in this folder: a failure, not a bad argument.
    const Outcome noFile = RunWith(Table({"--ort", "Berlin"}));
    EXPECT_EQ(noFile.status, kExitFailure);
    EXPECT_EQ(noFile.err, "mirelta: places.dat: Datei nicht gefunden\n");
    EXPECT_EQ(noFile.out, "");

    EXPECT_FALSE(IsCommandLineCall({}));
    EXPECT_FALSE(IsCommandLineCall({"-platform", "offscreen"}));
    EXPECT_FALSE(IsCommandLineCall({"-style=fusion", "-reverse", "-qwindowtitle", "Mond"}));
    EXPECT_TRUE(IsCommandLineCall({"-platform", "offscreen", "--version"}));
    // Anything else is refused by the command line, not passed over.
    EXPECT_TRUE(IsCommandLineCall({"mond.txt"}));
    EXPECT_TRUE(IsCommandLineCall({"-x"}));
    EXPECT_TRUE(IsCommandLineCall({"-platform"}));
}

TEST(CommandLine, SiteFromTheWorkingFolderWhenTheCurrentOneLacksIt)
{
    TempWorkingDir dir;
    WorkingFolderInside workingFolder(dir);
    std::filesystem::create_directory(workingFolder.path());
    const std::string workingList = (workingFolder.path() / "places.dat").string();
    WriteBytes(workingList, "Berlin\r\n52,52\r\n13,405\r\n");
    const std::string byDegrees = RunWith(Table({"--breite", "52,52", "--laenge", "13,405"})).out;

    const Outcome noListHere = RunWith(Table({"--ort", "Berlin"}));
    EXPECT_EQ(noListHere.status, kExitSuccess) << noListHere.err;
    EXPECT_EQ(noListHere.out, byDegrees);

    WriteBytes("places.dat", "Bonn\r\n50,7333\r\n7,1\r\n");
    const Outcome notHere = RunWith(Table({"--ort", "Berlin"}));
    EXPECT_EQ(notHere.status, kExitSuccess) << notHere.err;
    EXPECT_EQ(notHere.out, byDegrees);

    const Outcome nowhere = RunWith(Table({"--ort", "Atlantis"}));
    EXPECT_EQ(nowhere.status, kExitBadArguments);
    EXPECT_EQ(nowhere.err, "mirelta: der Beobachtungsort 'Atlantis' steht weder in places.dat noch in " + workingList +
                               ".\nAufruf und Optionen: mirelta --hilfe\n");
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CommandLine, SiteFromPlacesDatWithAnUmlautAndTheDecimalComma)
{
    TempWorkingDir dir;
    // Windows-1252: ü = FC.
    WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\nM\xFCnchen\r\n48,1372\r\n11.5756\r\n");
    const Outcome byName = RunWith(Table({"--zeit", "20:05", "--ort", "München"}));
    ASSERT_EQ(byName.status, kExitSuccess) << byName.err;
    const Outcome byDegrees = RunWith(Table({"--zeit", "20:05", "--breite", "48,1372", "--laenge", "11.5756"}));
    EXPECT_EQ(byName.out, byDegrees.out);
    const std::vector<std::string> lines = Lines(byName.out);
    ASSERT_EQ(lines.size(), 5u);  // header, 20:05 ... 23:05
    EXPECT_EQ(lines[1].rfind("15.03.2003;20:05;2452714.29513889;", 0), 0u);
    EXPECT_EQ(lines[4].rfind("15.03.2003;23:05;", 0), 0u);
    EXPECT_NE(byName.out, RunWith(Table({"--zeit", "20:05", "--ort", "Berlin"})).out);

    // --komma: every decimal point of the numbers becomes a comma; the date
    // keeps its dots.
    const Outcome comma = RunWith(Table({"--zeit", "20:05", "--ort", "München", "--komma"}));
    ASSERT_EQ(comma.status, kExitSuccess);
    const std::vector<std::string> commaLines = Lines(comma.out);
    ASSERT_EQ(commaLines.size(), lines.size());
    EXPECT_EQ(commaLines[0], lines[0]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string expected = lines[i];
        for (std::size_t k = expected.find(';', 10); k < expected.size(); ++k)
            if (expected[k] == '.') expected[k] = ',';
        EXPECT_EQ(commaLines[i], expected);
        EXPECT_EQ(commaLines[i].find(';'), 10u);  // "15.03.2003"
    }
}

TEST(CommandLine, HeightOfAPeakFromATimingOfTheIndependentSimulation)
{
    // tools/height_check: a 3,800 m peak at Copernicus casts 2.110707 s of
    // shadow on 18 December 2026, 16:35 MEZ, seen from Berlin.
    TempWorkingDir dir;
    WorkingFolderInside workingFolder(dir);
    WriteSiteAndCatalogue();
    const Outcome byName = RunWith(Height({}));
    ASSERT_EQ(byName.status, kExitSuccess) << byName.err;
    EXPECT_EQ(byName.err, "");
    ASSERT_EQ(byName.out.back(), '\n');
    EXPECT_NEAR(std::stod(byName.out), 3800, 0.03 * 3800);
    EXPECT_EQ(byName.out.find('\n'), byName.out.size() - 1);  // one line
    const Outcome byPlace =
        RunWith({"--hoehe", "--datum", "18.12.2026", "--zeit", "16:35", "--breite", "52.52", "--laenge", "13,405",
                 "--objekt-breite", "9,6209", "--objekt-laenge", "-20.0786", "--durchgang", "2.110707"});
    EXPECT_EQ(byPlace.out, byName.out);
    std::string comma = byName.out;
    comma[comma.find('.')] = ',';
    EXPECT_EQ(RunWith(Height({"--komma"})).out, comma);

    // No height: the reason on standard error, status 3.
    struct NoHeight {
        std::vector<std::string> arguments;
        const char* reason;
    };
    const NoHeight cases[] = {
        {Height({},                                                                         "6"), "Die Durchgangszeit muss über 0 und höchstens 5 Sekunden betragen."},
        {Height({},                                                                                 "5"),                                                                             "Die Sonne steht zu tief: kein so langer Schatten endet auf beleuchtetem Boden."},
        {{"--hoehe", "--datum", "18.12.2026", "--zeit", "9:35", "--ort", "Berlin", "--objekt", "Copernicus",
          "--durchgang", "1"},
         "Der Mond steht unter dem Horizont des Beobachtungsorts."},
    };
    for (const NoHeight& c : cases) {
        const Outcome run = RunWith(c.arguments);
        EXPECT_EQ(run.status, kExitNoHeight) << c.reason;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("mirelta: keine Höhe. ") + c.reason + "\n");
    }
    // A record without a place is a bad argument; no objects.dat a failure.
    EXPECT_EQ(RunWith(Height({}, "1")).status, kExitSuccess);
    const Outcome noPlace = RunWith({"--hoehe", "--datum", "18.12.2026", "--zeit", "16:35", "--ort", "Berlin",
                                     "--objekt", "Ohne Lage", "--durchgang", "1"});
    EXPECT_EQ(noPlace.status, kExitBadArguments);
    std::remove("objects.dat");
    const Outcome noFile = RunWith(Height({}));
    EXPECT_EQ(noFile.status, kExitFailure);
    EXPECT_EQ(noFile.err, "mirelta: objects.dat: Datei nicht gefunden\n");
    EXPECT_NE(RunWith({"--hilfe"}).out.find("--hoehe --datum T.M.JJJJ --zeit H:MM"), std::string::npos);
}

TEST(CommandLine, EventsOfTheMoonInTimeOrder)
{
    TempWorkingDir dir;
    WriteBytes("places.dat", "Berlin\r\n52,52\r\n13,405\r\n");
    const Outcome run =
        RunWith({"--ereignisse", "--von", "13.12.2026", "--bis", "14.12.2026", "--ort", "Berlin", "--komma"});
    ASSERT_EQ(run.status, kExitSuccess) << run.err;
    // astronomy-engine 2.1.19 (SearchRiseSet, SearchHourAngle, Horizon()):
    // rise 11:13:06, culmination 15:32:22 at 18.218 degrees, set 20:01:58
    // MEZ; the next day 11:27:37, 16:15:36 at 22.993, 21:15:38.
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Datum;Zeit (MEZ);Ereignis;Höhe (°)");
    std::vector<std::string> horizon;
    for (const std::string& line : lines)
        if (line.find(";Aufgang;") != std::string::npos || line.find(";Kulmination;") != std::string::npos ||
            line.find(";Untergang;") != std::string::npos)
            horizon.push_back(line);
    EXPECT_EQ(horizon, (std::vector<std::string>{"13.12.2026;11:13;Aufgang;", "13.12.2026;15:32;Kulmination;18,2",
                                                 "13.12.2026;20:02;Untergang;", "14.12.2026;11:28;Aufgang;",
                                                 "14.12.2026;16:16;Kulmination;23", "14.12.2026;21:16;Untergang;"}));

    // The table's own options do not belong here.
    const Outcome step =
        RunWith({"--ereignisse", "--von", "13.12.2026", "--bis", "13.12.2026", "--ort", "Berlin", "--schritt", "60"});
    EXPECT_EQ(step.status, kExitBadArguments);
    EXPECT_EQ(step.err, "mirelta: '--schritt' gehört nicht zu --ereignisse.\nAufruf und Optionen: mirelta --hilfe\n");
}

}  // namespace
