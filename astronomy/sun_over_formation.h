#pragma once
// Whether a formation sees the Sun rise (morning terminator) or set
// (evening terminator), and whether it faces the Earth. Where the Sun
// stands over the Moon is astronomy/sun_over_moon.h.

#include "astronomy/observation_state.h"
#include "astronomy/sun_over_moon.h"

/// The terminator a formation lies at: where the Sun rises or where it sets.
enum class TerminatorSide { Morning, Evening };

/// Whether a point of the Moon lies at the morning terminator (west of the
/// subsolar meridian, the Sun rising or about to rise) or at the evening
/// terminator (east of it, the Sun setting or set).
///
/// Given: sun, the Sun over the Moon (ComputeSunOverMoon); longitude of the
///   point, degrees, any range.
/// Returned: Morning when the point lies less than 180 degrees west of the
///   subsolar meridian (the subsolar meridian itself counts as morning),
///   Evening otherwise. The subsolar point moves west by about 12.2 degrees
///   a day, so a waxing Moon shows its morning terminator, a waning Moon its
///   evening terminator.
TerminatorSide TerminatorSideAt(const SunOverMoon& sun, double longitude);

/// True when a point of the Moon lies on the hemisphere that faces the
/// Earth: less than 90 degrees from the apparent centre of the disc.
/// Reads LibrationLatitude and LibrationLongitude in degrees (after the
/// ephemerides ran and were converted, e.g. by ComputeSunOverMoon).
bool FacesEarth(const ObservationState& state, double latitude, double longitude);
