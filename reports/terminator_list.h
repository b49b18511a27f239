#pragma once
// The formations at the terminator tonight, ranked for a height measurement,
// and the texts of the window "Lichtgrenze"; without widgets.

#include "astronomy/observation_state.h"
#include "astronomy/sun_over_formation.h"
#include "observing/shadow_transit.h"
#include "observing/terminator_zone.h"

#include <optional>
#include <string>
#include <vector>

/// A formation of the catalogue as its record gives it (texts as read).
struct CatalogueFormation {
    std::string Name;
    std::string Kind;       ///< the first description line ("Krater")
    std::string Latitude;   ///< selenographic, degrees, "," or "." as separator; may be empty
    std::string Longitude;  ///< likewise
    std::string Height;     ///< metres as free text, may be empty
};

/// A catalogue coordinate (degrees, "," or "." as separator); empty when
/// the text is empty or no number, so that the formation cannot be placed.
std::optional<double> CatalogueCoordinate(const std::string& text);

/// A formation near the terminator.
struct TerminatorFormation {
    std::string Name;
    std::string Kind;
    double SunAltitude = 0;  ///< degrees
    TerminatorSide Side = TerminatorSide::Morning;
    std::string Height;                    ///< catalogue text, as read
    std::optional<double> TransitSeconds;  ///< expected shadow transit time, seconds (ExpectShadow)
    /// Whether that shadow can be timed now; empty without a catalogue
    /// height that is a whole number above 0.
    std::optional<TimingVerdict> Timing;
};

/// The band of Sun altitudes that counts as "near the terminator", degrees:
/// from just after sunset to a Sun low enough for long shadows.
inline constexpr double LowestTerminatorSunAltitude = -0.5;
inline constexpr double HighestTerminatorSunAltitude = 12.0;

/// What the window shows for one date and time.
struct TerminatorSurvey {
    SunOverMoon Sun;
    std::vector<TerminatorFormation> Formations;  ///< ranked (RankForHeightMeasurement)
};

/// The formations of a catalogue that can be placed on the Moon, with their
/// places: those whose latitude and longitude are numbers.
struct PlacedFormations {
    std::vector<const CatalogueFormation*> Formations;  ///< into the catalogue, in its order
    std::vector<SelenographicPoint> Points;             ///< the place of each
    std::vector<MoonDirection> Directions;              ///< the place of each as a direction
};
PlacedFormations PlaceFormations(const std::vector<CatalogueFormation>& catalogue);

/// The formations near the terminator for the state's date, time and site.
///
/// Runs PrepareShadowView (the physical ephemerides in degrees, the
/// subsolar point, the Moon's horizontal position, the semi-diameter) once;
/// every result stays in the state. Keeps the formations that lie on the
/// hemisphere facing the Earth with a Sun altitude between
/// LowestTerminatorSunAltitude and HighestTerminatorSunAltitude (both
/// included). For each with a catalogue height that is a whole number
/// above 0 it finds the shadow to expect and whether it can be timed
/// (ExpectShadow). Formations whose latitude or longitude is empty or not a
/// number cannot be placed and are left out.
TerminatorSurvey SurveyTerminator(ObservationState& state, const std::vector<CatalogueFormation>& catalogue);
/// The same over formations placed before (the catalogue must live on).
TerminatorSurvey SurveyTerminator(ObservationState& state, const PlacedFormations& placed);

/// Orders the formations for a height measurement: first those whose
/// shadow can be timed (Timing is Timeable), the longest time first
/// (easiest to time); then all others by the Sun's altitude, lowest first.
/// Ties keep name order.
void RankForHeightMeasurement(std::vector<TerminatorFormation>& formations);

/// "Lichtgrenze am 15. 3. 2003 um 20:05 Uhr MEZ in Berlin, Colongitude 34,6°".
std::string TerminatorHeading(const ObservationState& state, const SunOverMoon& sun, char decimalSeparator);

/// An angle or time with exactly one decimal: "3,2", "-0,4", "12,0".
std::string OneDecimalText(double value, char decimalSeparator);

/// "Morgen" or "Abend".
std::string TerminatorSideText(TerminatorSide side);

/// The expected transit time with one decimal and its unit, "2,4 s";
/// "- - -" when there is none.
std::string TransitTimeText(const std::optional<double>& seconds, char decimalSeparator);

/// The time the list shows for a formation: TransitTimeText of a shadow
/// that can be timed, "- - -" for every other.
std::string TimedTransitText(const TerminatorFormation& formation, char decimalSeparator);

/// Why a formation's shadow cannot be timed now, in a few German words
/// ("Sonne zu tief für 2000 m", "Durchgang 0,3 s: zu kurz", "keine Höhe");
/// empty when it can.
std::string TimingReasonText(const TerminatorFormation& formation, char decimalSeparator);

/// The catalogue height with its unit as the main window shows it, "1500m";
/// empty when it is empty.
std::string CatalogueHeightText(const std::string& height);
