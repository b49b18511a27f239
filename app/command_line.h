#pragma once
// The program's command line: the ephemeris table, the height of a mountain
// from a timed shadow transit, or the Moon's events, printed to standard
// output, without a window and without a display. Started with no arguments
// (or only the toolkit's own ones) the program opens its windows as always.
// Arguments echoed in messages are cut after 40 characters, with control
// characters shown (platform/visible_text.h).

#include "observing/ephemeris_table.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

/// Exit statuses of the command line.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  ///< a file could not be read, the output not written
inline constexpr int kExitBadArguments = 2;
inline constexpr int kExitNoHeight = 3;  ///< --hoehe: no height results (the reason on standard error)

/// What --hoehe asks for besides the site: the moment, the formation (a
/// record of objects.dat by name, or its place) and the timed transit.
struct HeightRequest {
    MezMoment Moment;                          ///< MEZ
    std::optional<std::string> FormationName;  ///< --objekt
    double FormationLatitude = 0;              ///< --objekt-breite, selenographic degrees
    double FormationLongitude = 0;             ///< --objekt-laenge, selenographic degrees, east positive
    double TransitSeconds = 0;                 ///< --durchgang, any number; 0 < t <= 5 gives a height
};

/// What the arguments ask for.
struct CommandLineRequest {
    enum class Action { Help, Version, Table, Height, Events };
    Action What = Action::Help;

    // For the table; for the events the days First to LastDay.
    EphemerisTableRange Range;
    std::optional<std::string> SiteName;  ///< --ort: a record of places.dat
    double Latitude = 0;                  ///< --breite, degrees, north positive
    double Longitude = 0;                 ///< --laenge, degrees, east positive
    char DecimalSeparator = '.';          ///< ',' with --komma

    HeightRequest Height;  ///< for --hoehe
};

/// A bad argument; what() is the German message.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Whether the program was started for its command line: some argument is
/// not one of the toolkit's own options (-platform offscreen, -style=fusion
/// …). Without one the windows open; with one the command line reads the
/// arguments and refuses what is not its own, with the hint to --hilfe,
/// instead of opening the windows as if nothing had been asked.
bool IsCommandLineCall(const std::vector<std::string>& arguments);

/// The working folder mirelta-start starts the program in: the folder
/// MIRELTA_WORKDIR names, else ~/Mirelta.
std::filesystem::path WorkingFolder();

/// Where --ort looks for its site, in this order: places.dat in the current
/// folder, then in `workingFolder` (left out when it is the current folder).
std::vector<std::filesystem::path> SiteListsForName(const std::filesystem::path& workingFolder);

/// Reads the arguments (without the program name). Throws UsageError.
///
///   --tabelle --von T.M.JJJJ --bis T.M.JJJJ [--zeit H:MM] --schritt MINUTEN
///             (--ort NAME | --breite GRAD --laenge GRAD) [--komma]
///   --hoehe --datum T.M.JJJJ --zeit H:MM (--ort NAME | --breite GRAD --laenge GRAD)
///           (--objekt NAME | --objekt-breite GRAD --objekt-laenge GRAD)
///           --durchgang SEKUNDEN [--komma]
///   --ereignisse --von T.M.JJJJ --bis T.M.JJJJ
///             (--ort NAME | --breite GRAD --laenge GRAD) [--komma]
///   --hilfe | --help | -h
///   --version
///
/// Dates must exist (years 1 to 9999), the time is MEZ (for the table 0:00
/// when left out), the step a whole number of minutes from 1, degrees and
/// seconds may be written with ',' or '.'. An option of the other action is
/// refused. --hilfe and --version win over everything else.
CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments);

/// The German usage text.
std::string UsageText();

/// "Mirelta 2.1".
std::string VersionText();

/// Runs the command line: prints the table, the height, the usage text or
/// the version to `out`; a bad argument prints a German message and the
/// hint to --hilfe to `err`. The site comes from the first site list of
/// SiteListsForName(WorkingFolder()) that holds it when --ort names it, the
/// formation from objects.dat in the current folder when --objekt names it.
/// Returns the exit status: kExitSuccess, kExitBadArguments, kExitNoHeight
/// (the reason on `err`), or kExitFailure when places.dat or objects.dat
/// cannot be read or the output cannot be written.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
