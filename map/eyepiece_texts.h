#pragma once
// The texts of the window "Mond im Okular": the panel "Heute" and the line
// about the point under the pointer. Without widgets.

#include "astronomy/observation_state.h"
#include "astronomy/selenographic_point.h"
#include "observing/moon_tonight.h"
#include "reports/terminator_list.h"

#include <string>

/// How many formations the line "Lichtgrenze" names.
inline constexpr std::size_t TerminatorLineLength = 3;

/// The panel "Heute": the date and site; rise, culmination (with the
/// altitude) and set on that date, or that the Moon stays up or down all
/// day; the altitude now or that the Moon is below the horizon; the lit
/// fraction, the phase and the age; the apparent diameter; the next four
/// principal phases in time order, in MEZ; the libration
/// and the limbs it favours; and the line "Lichtgrenze" with the
/// formations best to time now (the first TerminatorLineLength of the
/// survey's ranking). Lines end in '\n'; times MEZ, numbers with
/// `decimalSeparator`.
std::string TonightText(const ObservationState& state, const MoonTonight& tonight, const TerminatorSurvey& survey,
                        char decimalSeparator);

/// "Länge -4,0°, Breite +3,1°" and the limbs the libration favours: the east
/// limb (Mare Crisium) for a positive longitude, the west limb (Grimaldi)
/// for a negative one, the north or south limb for the latitude; a
/// libration under 1 degree favours no limb.
std::string LibrationText(const SelenographicPoint& libration, char decimalSeparator);

/// The line under the picture for the point under the pointer: the
/// formation's name when one is near, the selenographic latitude and
/// longitude ("12,3° N", "4,5° W") and the Sun's altitude over the point.
std::string HoverText(const std::string& formation, const SelenographicPoint& point, double sunAltitude,
                      char decimalSeparator);
