#include "app/command_line.h"

#include "app/events_command.h"
#include "app/height_command.h"
#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/visible_text.h"
#include "reports/ephemeris_table_text.h"
#include "setup/site_list_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <ostream>
#include <span>
#include <string_view>

#ifndef MIRELTA_VERSION
#define MIRELTA_VERSION "?"
#endif

namespace {

constexpr std::string_view kProgramPrefix = "mirelta: ";
constexpr std::string_view kShortHelp = "-h";

/// Which actions an option belongs to: a set of them.
enum OptionUse : unsigned {
    Table = 1u,
    Height = 2u,
    Events = 4u,
    Days = Table | Events,
    Any = Table | Height | Events
};

struct OptionDesign {
    std::string_view name;
    bool takesValue;
    OptionUse use = OptionUse::Any;
};

constexpr OptionDesign kOptions[] = {
    {"--tabelle",       false, OptionUse::Table },
    {"--ereignisse",    false, OptionUse::Events},
    {"--von",           true,  OptionUse::Days  },
    {"--bis",           true,  OptionUse::Days  },
    {"--zeit",          true,  OptionUse::Any   },
    {"--schritt",       true,  OptionUse::Table },
    {"--ort",           true,  OptionUse::Any   },
    {"--breite",        true,  OptionUse::Any   },
    {"--laenge",        true,  OptionUse::Any   },
    {"--komma",         false, OptionUse::Any   },
    {"--hoehe",         false, OptionUse::Height},
    {"--datum",         true,  OptionUse::Height},
    {"--objekt",        true,  OptionUse::Height},
    {"--objekt-breite", true,  OptionUse::Height},
    {"--objekt-laenge", true,  OptionUse::Height},
    {"--durchgang",     true,  OptionUse::Height},
    {"--hilfe",         false, OptionUse::Any   },
    {"--help",          false, OptionUse::Any   },
    {"--version",       false, OptionUse::Any   },
};

// The toolkit's own options, which it takes out of the arguments itself
// (QGuiApplication, QApplication and the X11 platform): those followed by
// a value, and switches. "-style=fusion" is one argument.
constexpr std::string_view kToolkitOptionsWithValue[] = {
    "-platform",  "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry", "-geometry", "-qwindowicon",
    "-icon",      "-qwindowtitle",       "-title",         "-session", "-display",         "-name",     "-style",
    "-stylesheet"};
constexpr std::string_view kToolkitSwitches[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
constexpr std::string_view kToolkitOptionsWithEquals[] = {
    "-style=", "-stylesheet=", "-qmljsdebugger=", "-dialogs=", "-fontengine="};

bool IsOneOf(std::string_view argument, std::span<const std::string_view> names)
{
    return std::find(names.begin(), names.end(), argument) != names.end();
}

// An argument as a message shows it: quoted, control characters visible,
// cut after 40 characters.
std::string Quoted(std::string_view argument) { return "'" + VisibleText(argument) + "'"; }

const OptionDesign* FindOption(std::string_view name)
{
    for (const OptionDesign& option : kOptions)
        if (option.name == name) return &option;
    return nullptr;
}

/// The options as given: name -> value ("" for a switch).
using GivenOptions = std::map<std::string, std::string, std::less<>>;

GivenOptions ReadOptions(const std::vector<std::string>& arguments)
{
    GivenOptions given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        // -h is the one short option: the usual way to ask for help.
        const std::string& argument = arguments[i] == kShortHelp ? std::string("--help") : arguments[i];
        if (argument.rfind("--", 0) != 0)
            throw UsageError(Quoted(argument) + " ist keine Option; Optionen beginnen mit --.");
        // "--von=15.3.2003" is read as "--von 15.3.2003".
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionDesign* option = FindOption(name);
        if (!option) throw UsageError("unbekannte Option " + Quoted(name) + ".");
        if (given.count(name)) throw UsageError("'" + name + "' ist mehrfach angegeben.");
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) throw UsageError("'" + name + "' erwartet keinen Wert.");
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 >= arguments.size()) throw UsageError("'" + name + "' erwartet einen Wert.");
            value = arguments[++i];
        }
        given.emplace(name, std::move(value));
    }
    return given;
}

MezMoment ReadDate(std::string_view option, const std::string& text)
{
    const std::optional<MezMoment> date = ReadTableDate(text);
    if (!date)
        throw UsageError(Quoted(text) + " ist kein gültiges Datum für " + std::string(option) +
                         " (Tag.Monat.Jahr, z. B. 15.3.2003).");
    return *date;
}

void ReadTime(const std::string& text, MezMoment& moment)
{
    if (!ReadTableTime(text, moment))
        throw UsageError(Quoted(text) + " ist keine gültige Uhrzeit für --zeit (Stunde:Minute in MEZ, z. B. 20:05).");
}

int ReadStep(const std::string& text)
{
    int minutes = 0;
    if (!TryTextToInt(text, minutes) || minutes < 1)
        throw UsageError(Quoted(text) + " ist kein gültiger Schritt für --schritt (ganze Minuten ab 1, z. B. 60).");
    return minutes;
}

double ReadDegrees(std::string_view option, const std::string& text, double limit, std::string_view example)
{
    double degrees = 0;
    try {
        degrees = FileTextToFloat(text);
    } catch (const ConversionError&) {
        degrees = NAN;
    }
    if (!(std::fabs(degrees) <= limit))
        throw UsageError(Quoted(text) + " ist kein gültiger Wert für " + std::string(option) + " (Grad von " +
                         std::to_string(-static_cast<int>(limit)) + " bis " + std::to_string(static_cast<int>(limit)) +
                         ", z. B. " + std::string(example) + ").");
    return degrees;
}

const std::string& Required(const GivenOptions& given, const char* name)
{
    const auto found = given.find(name);
    if (found == given.end()) throw UsageError(std::string(name) + " fehlt.");
    return found->second;
}

void ReadSite(const GivenOptions& given, CommandLineRequest& request)
{
    const bool byName = given.count("--ort") > 0;
    const bool byLatitude = given.count("--breite") > 0;
    const bool byLongitude = given.count("--laenge") > 0;
    if (byName && (byLatitude || byLongitude)) throw UsageError("--ort und --breite/--laenge schließen einander aus.");
    if (byName) {
        request.SiteName = given.at("--ort");
        return;
    }
    if (!byLatitude && !byLongitude)
        throw UsageError("der Beobachtungsort fehlt: --ort NAME oder --breite und --laenge.");
    request.Latitude = ReadDegrees("--breite", Required(given, "--breite"), 90, "52,52");
    request.Longitude = ReadDegrees("--laenge", Required(given, "--laenge"), 180, "13,405");
}

/// The record named `name` from the first site list that holds it, in the
/// order of SiteListsForName. Throws UsageError naming the lists read when
/// none does, FileNotFoundError when there is no list at all.
StoredSite FindNamedSite(const std::string& name)
{
    std::vector<std::string> read;
    for (const std::filesystem::path& list : SiteListsForName(WorkingFolder())) {
        std::error_code error;
        // A missing list is passed over; anything else under the name (a
        // folder, a FIFO, a dangling link) is read and refused with its reason.
        if (!std::filesystem::exists(std::filesystem::symlink_status(list, error))) continue;
        read.push_back(list.string());
        if (std::optional<StoredSite> site = FindSite(name, list.string())) return *site;
    }
    if (read.empty()) throw FileNotFoundError(kSiteListFileName);
    std::string lists = read.front();
    if (read.size() > 1)
        lists = "weder in " + lists + " noch in " + read.back();
    else
        lists = "nicht in " + lists;
    throw UsageError("der Beobachtungsort " + Quoted(name) + " steht " + lists + ".");
}

/// The site of the table into the state: the coordinates given, or the
/// record of a site list. Throws UsageError for a name in no list.
void SetSite(const CommandLineRequest& request, ObservationState& state)
{
    if (!request.SiteName) {
        state.Latitude = request.Latitude;
        state.Longitude = request.Longitude;
        return;
    }
    const StoredSite site = FindNamedSite(*request.SiteName);
    state.SiteName = site.Name;
    state.Latitude = FileTextToFloat(site.LatitudeText);
    state.Longitude = FileTextToFloat(site.LongitudeText);
}

/// Refuses an option that belongs to the other action.
void RefuseOptionsOfOtherAction(const GivenOptions& given, OptionUse action, std::string_view actionName)
{
    for (const auto& [name, value] : given) {
        const OptionDesign* option = FindOption(name);
        if ((option->use & action) == 0)
            throw UsageError(Quoted(name) + " gehört nicht zu " + std::string(actionName) + ".");
    }
}

double ReadSeconds(const std::string& text)
{
    double seconds = NAN;
    try {
        seconds = FileTextToFloat(text);
    } catch (const ConversionError&) {}
    if (!std::isfinite(seconds))
        throw UsageError(Quoted(text) + " ist keine gültige Durchgangszeit für --durchgang (Sekunden, z. B. 1,5).");
    return seconds;
}

void ReadHeightRequest(const GivenOptions& given, CommandLineRequest& request)
{
    RefuseOptionsOfOtherAction(given, OptionUse::Height, "--hoehe");
    HeightRequest& height = request.Height;
    height.Moment = ReadDate("--datum", Required(given, "--datum"));
    ReadTime(Required(given, "--zeit"), height.Moment);
    ReadSite(given, request);
    const bool byName = given.count("--objekt") > 0;
    if (byName && (given.count("--objekt-breite") || given.count("--objekt-laenge")))
        throw UsageError("--objekt und --objekt-breite/--objekt-laenge schließen einander aus.");
    if (byName) {
        height.FormationName = given.at("--objekt");
    } else {
        if (!given.count("--objekt-breite") && !given.count("--objekt-laenge"))
            throw UsageError("die Formation fehlt: --objekt NAME oder --objekt-breite und --objekt-laenge.");
        height.FormationLatitude = ReadDegrees("--objekt-breite", Required(given, "--objekt-breite"), 90, "9,6209");
        height.FormationLongitude = ReadDegrees("--objekt-laenge", Required(given, "--objekt-laenge"), 180, "-20,0786");
    }
    height.TransitSeconds = ReadSeconds(Required(given, "--durchgang"));
}

/// --von and --bis: the first and the last day, in this order.
void ReadDays(const GivenOptions& given, CommandLineRequest& request)
{
    request.Range.First = ReadDate("--von", Required(given, "--von"));
    request.Range.LastDay = ReadDate("--bis", Required(given, "--bis"));
    if (MinuteNumber(request.Range.LastDay) < MinuteNumber(request.Range.First))
        throw UsageError("--bis " + VisibleText(given.at("--bis")) + " liegt vor --von " +
                         VisibleText(given.at("--von")) + ".");
}

void PrintTable(const CommandLineRequest& request, const ObservationState& site, std::ostream& out)
{
    ObservationState state = site;
    out << EphemerisHeaderLine() << '\n';
    const std::int64_t rows = request.Range.RowCount();
    for (std::int64_t i = 0; i < rows && out; ++i) {
        SetObservationMoment(state, request.Range.RowMoment(i));
        out << EphemerisLine(ComputeEphemerisRow(state), request.DecimalSeparator) << '\n';
    }
}

int ReportUsageError(const UsageError& error, std::ostream& err)
{
    err << kProgramPrefix << error.what() << '\n' << "Aufruf und Optionen: mirelta --hilfe\n";
    return kExitBadArguments;
}

}  // namespace

bool IsCommandLineCall(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (IsOneOf(argument, kToolkitOptionsWithValue) && i + 1 < arguments.size()) {
            ++i;  // its value
            continue;
        }
        if (IsOneOf(argument, kToolkitSwitches)) continue;
        if (std::any_of(std::begin(kToolkitOptionsWithEquals), std::end(kToolkitOptionsWithEquals),
                        [&](std::string_view prefix) { return argument.starts_with(prefix); }))
            continue;
        // Anything else is read (and, unless it is one of ours, refused)
        // by the command line.
        return true;
    }
    return false;
}

std::filesystem::path WorkingFolder()
{
    const char* named = std::getenv("MIRELTA_WORKDIR");
    if (named && *named) return named;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / "Mirelta";
}

std::vector<std::filesystem::path> SiteListsForName(const std::filesystem::path& workingFolder)
{
    std::vector<std::filesystem::path> lists{kSiteListFileName};
    std::error_code error;
    if (!std::filesystem::equivalent(".", workingFolder, error)) lists.push_back(workingFolder / kSiteListFileName);
    return lists;
}

CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments)
{
    const GivenOptions given = ReadOptions(arguments);
    CommandLineRequest request;
    if (given.count("--hilfe") || given.count("--help") || given.empty()) {
        request.What = CommandLineRequest::Action::Help;
        return request;
    }
    if (given.count("--version")) {
        request.What = CommandLineRequest::Action::Version;
        return request;
    }
    if (given.count("--komma")) request.DecimalSeparator = ',';
    if (given.count("--hoehe")) {
        request.What = CommandLineRequest::Action::Height;
        ReadHeightRequest(given, request);
        return request;
    }
    if (given.count("--ereignisse")) {
        RefuseOptionsOfOtherAction(given, OptionUse::Events, "--ereignisse");
        request.What = CommandLineRequest::Action::Events;
        ReadDays(given, request);
        ReadSite(given, request);
        return request;
    }
    if (!given.count("--tabelle"))
        throw UsageError(
            "--tabelle, --hoehe oder --ereignisse fehlt; die Befehlszeile gibt die Ephemeridentabelle, eine "
            "Höhe oder die Ereignisse des Mondes aus.");
    RefuseOptionsOfOtherAction(given, OptionUse::Table, "--tabelle");
    request.What = CommandLineRequest::Action::Table;
    ReadDays(given, request);
    if (given.count("--zeit")) ReadTime(given.at("--zeit"), request.Range.First);
    request.Range.StepMinutes = ReadStep(Required(given, "--schritt"));
    ReadSite(given, request);
    return request;
}

std::string VersionText() { return std::string("Mirelta ") + MIRELTA_VERSION; }

std::string UsageText()
{
    std::string columns;
    for (std::string_view name : EphemerisColumnNames) {
        if (!columns.empty()) columns += ';';
        columns += name;
    }
    return "Aufruf:\n"
           "  mirelta                  öffnet das Programm mit seinen Fenstern\n"
           "  mirelta --tabelle --von T.M.JJJJ --bis T.M.JJJJ [--zeit H:MM] --schritt MINUTEN\n"
           "          (--ort NAME | --breite GRAD --laenge GRAD) [--komma]\n"
           "  mirelta --hoehe --datum T.M.JJJJ --zeit H:MM (--ort NAME | --breite GRAD --laenge GRAD)\n"
           "          (--objekt NAME | --objekt-breite GRAD --objekt-laenge GRAD)\n"
           "          --durchgang SEKUNDEN [--komma]\n"
           "  mirelta --ereignisse --von T.M.JJJJ --bis T.M.JJJJ\n"
           "          (--ort NAME | --breite GRAD --laenge GRAD) [--komma]\n"
           "  mirelta --hilfe | --help | -h\n"
           "  mirelta --version\n"
           "\n"
           "Gibt die Ephemeridentabelle des Mondes ohne Fenster auf der Standardausgabe aus:\n"
           "UTF-8, eine Kopfzeile, eine Zeile je Zeitpunkt, ';' zwischen den Feldern.\n"
           "\n"
           "  --tabelle        die Tabelle ausgeben\n"
           "  --von T.M.JJJJ   erster Tag, z. B. 15.3.2003\n"
           "  --bis T.M.JJJJ   letzter Tag; die Tabelle reicht bis zu seinem Ende\n"
           "  --zeit H:MM      Uhrzeit (MEZ) der ersten Zeile, ohne Angabe 0:00\n"
           "  --schritt N      Abstand der Zeilen in Minuten (60 stündlich, 1440 täglich)\n"
           "  --ort NAME       Beobachtungsort aus places.dat im aktuellen Ordner, sonst im\n"
           "                   Arbeitsordner (MIRELTA_WORKDIR, ohne Angabe ~/Mirelta)\n"
           "  --breite GRAD    geographische Breite, Nord positiv, z. B. 52,52\n"
           "  --laenge GRAD    geographische Länge, Ost positiv, z. B. 13,405\n"
           "  --komma          Dezimalkomma statt Dezimalpunkt (Tabelle und Höhe)\n"
           "  --hilfe, --help, -h  diesen Text zeigen\n"
           "  --version        die Version zeigen\n"
           "\n"
           "Zeiten in MEZ (Weltzeit + 1 h, ohne Sommerzeit). Winkel in Grad, die Rektaszension\n"
           "in Stunden, das Azimut von Süden über Westen gezählt; Zahlen mit bis zu 15\n"
           "gültigen Ziffern. Die Spalten:\n" +
           columns +
           "\n"
           "\n"
           "\n"
           "Mit --hoehe gibt sie die Höhe eines Berges in Metern aus, aus der Zeit, die sein\n"
           "Schatten bei abgeschalteter Nachführung braucht, um einen Nord-Süd-Faden des\n"
           "Okulars zu überqueren (vom beleuchteten Gipfel bis zum Ende seines Schattens),\n"
           "wie das Feld \"Höhenberechnung\" des Hauptfensters:\n"
           "\n"
           "  --hoehe                   die Höhe ausgeben\n"
           "  --datum T.M.JJJJ          Tag der Messung, z. B. 18.12.2026\n"
           "  --zeit H:MM               Uhrzeit der Messung in MEZ, z. B. 16:35\n"
           "  --ort, --breite, --laenge der Beobachtungsort wie oben\n"
           "  --objekt NAME             Formation aus objects.dat im aktuellen Ordner\n"
           "  --objekt-breite GRAD      selenographische Breite der Formation, Nord positiv\n"
           "  --objekt-laenge GRAD      selenographische Länge der Formation, Ost positiv\n"
           "  --durchgang SEKUNDEN      gemessene Durchgangszeit, über 0 bis 5 Sekunden\n"
           "\n"
           "Ergibt sich keine Höhe (Mondnacht, Mond unter dem Horizont, Sonne zu tief für einen\n"
           "so langen Schatten ...), steht der Grund auf der Fehlerausgabe.\n"
           "\n"
           "Mit --ereignisse gibt sie die Ereignisse des Mondes aus, eine Zeile je Ereignis von\n"
           "--von 0:00 bis --bis 24:00 MEZ, zeitlich geordnet: Aufgang, Kulmination (mit der\n"
           "Höhe der Mondmitte am Ort, ohne Refraktion), Untergang, Neumond, Erstes Viertel,\n"
           "Vollmond, Letztes Viertel. Auf- und Untergang gelten für den oberen Mondrand am\n"
           "Meereshorizont mit 34' Refraktion. Die Spalten:\n" +
           std::string(EventsHeaderLine) +
           "\n"
           "\n"
           "Rückgabewert: 0 bei Erfolg, 2 bei falschen Angaben, 3 wenn sich keine Höhe ergibt,\n"
           "1 wenn places.dat oder objects.dat nicht gelesen oder die Ausgabe nicht\n"
           "geschrieben werden kann.\n";
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    CommandLineRequest request;
    try {
        request = ParseCommandLine(arguments);
    } catch (const UsageError& error) {
        return ReportUsageError(error, err);
    }
    if (request.What == CommandLineRequest::Action::Help) {
        out << UsageText();
    } else if (request.What == CommandLineRequest::Action::Version) {
        out << VersionText() << '\n';
    } else {
        ObservationState site;
        int status = kExitSuccess;
        try {
            SetSite(request, site);
            if (request.What == CommandLineRequest::Action::Table)
                PrintTable(request, site, out);
            else if (request.What == CommandLineRequest::Action::Events)
                PrintMoonEvents(request.Range.First, request.Range.LastDay, site, request.DecimalSeparator, out);
            else
                status = PrintHeight(request.Height, site, request.DecimalSeparator, out, err);
        } catch (const UsageError& error) {
            return ReportUsageError(error, err);
        } catch (const MireltaError& error) {
            err << kProgramPrefix << error.what() << '\n';
            return kExitFailure;
        }
        if (status != kExitSuccess) return status;
    }
    out.flush();
    if (!out) {
        err << kProgramPrefix << "die Ausgabe kann nicht geschrieben werden.\n";
        return kExitFailure;
    }
    return kExitSuccess;
}
