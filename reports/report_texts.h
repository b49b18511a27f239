#pragma once
// The texts of the Moon position and physical ephemerides reports, built
// from the observation state without any widget: the three heading lines
// both reports share, and each report's computation with its value texts.
//
// Computed angles are written in the rounded sexagesimal form (seconds
// rounded, 60 carried); the site's coordinates in the truncated form.

#include "astronomy/observation_state.h"

#include <string>
#include <string_view>

/// Where every azimuth of the program is counted from, for the hints of the
/// reports and the table.
inline constexpr std::string_view kAzimuthCounting =
    "Azimut von Süden über Westen gezählt: Süd 0°, West 90°, Nord 180°, Ost 270°";

/// The date, site and coordinate lines at the top of a report.
struct ReportHeading {
    std::string date;         ///< "Mondposition für den 6. 12. 2002 um 21:05 Uhr MEZ"
    std::string site;         ///< "in Berlin"
    std::string coordinates;  ///< "(52° 31' 12" n./s. Breite und 13° 24' 0" ö./w. Länge)"
};

/// The heading lines for the state's date, time and site; `title` opens the
/// date line ("Mondposition", "Mondephemeriden").
ReportHeading ReportHeadingLines(std::string_view title, const ObservationState& state);

/// A Julian date rounded to at most three decimals: "2452615,333".
std::string JulianDateText(double julianDate, char decimalSeparator);

/// A distance rounded to at most six decimals, with its unit: "60 Erdradien".
std::string EarthRadiiText(double earthRadii, char decimalSeparator);

/// A right ascension given in degrees, written in hours: "23h 59' 59"".
std::string RightAscensionText(double degrees);

/// The Moon's place for the state's date, time and site: MoonPosition (into
/// MoonRightAscension, MoonDeclination, MoonDistance), then
/// HorizontalPosition (Azimuth, Altitude), each given the observation's
/// Julian centuries. Every result stays in the state.
void LocateMoon(ObservationState& state);

/// The values of the Moon position report.
struct MoonPositionTexts {
    std::string julianDate;
    std::string rightAscension;
    std::string declination;
    std::string eclipticLatitude;
    std::string eclipticLongitude;
    std::string distance;
    std::string azimuth;
    std::string altitude;
};

/// Locates the Moon (LocateMoon) and writes its place and the Julian date
/// as text.
MoonPositionTexts ComputeMoonPositionTexts(ObservationState& state, char decimalSeparator);

/// The values of the physical ephemerides report, in degrees, minutes and
/// seconds.
struct PhysicalEphemeridesTexts {
    std::string librationLatitude;         ///< B
    std::string librationLongitude;        ///< L
    std::string terminatorLongitude;       ///< Lgr/Ls
    std::string sunSelenographicLatitude;  ///< Bs
    std::string axisPositionAngle;         ///< P
};

/// Computes the physical ephemerides for the state's date and time (Moon,
/// Sun, rescaled Sun distance, ephemerides, results turned into degrees)
/// and writes them as text. Leaves every result in the state.
PhysicalEphemeridesTexts ComputePhysicalEphemeridesTexts(ObservationState& state);
