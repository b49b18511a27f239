#pragma once
// Which formations see the Sun low over their horizon: the terminator zone
// where shadows are long enough to measure heights.

#include "astronomy/observation_state.h"
#include "astronomy/selenographic_point.h"
#include "astronomy/sun_over_formation.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

/// A range of the Sun's altitude over a formation, degrees, ends included.
struct SunAltitudeBand {
    double Lowest = 0;
    double Highest = 0;

    bool Contains(double altitude) const { return Lowest <= altitude && altitude <= Highest; }
};

/// The Sun's altitude over a formation that faces the Earth.
///
/// Given:
///   ephemerides  a state after the physical ephemerides in degrees (e.g.
///                ComputeSunOverMoon); reads LibrationLatitude and
///                LibrationLongitude
///   sun          the Sun over the Moon at that moment
///   point        the formation
/// Returned: the Sun's altitude over it, degrees (SunAltitudeOver); empty
///   when it lies on the far side of the Moon (FacesEarth), where no
///   observer on the Earth sees it.
std::optional<double> VisibleSunAltitudeOver(const ObservationState& ephemerides, const SunOverMoon& sun,
                                             const SelenographicPoint& point);

/// A point of the Moon as a unit vector from the Moon's centre (x towards
/// longitude 0 on the equator, z towards the north pole), so that the
/// angle to the Sun or the Earth is a dot product.
struct MoonDirection {
    double X = 0, Y = 0, Z = 0;
};
MoonDirection DirectionOf(const SelenographicPoint& point);

/// The indices of the formations that face the Earth and see the Sun at an
/// altitude within `band`, in the order of `points`.
///
/// Speed: for the 9,049 formations of the IAU gazetteer, with the
/// ephemerides run once before, about 0.85 ms of processor time
/// (bench/planner_bench, median of five, on a busy two-core machine).
std::vector<std::size_t> FormationsInTerminatorZone(const ObservationState& ephemerides, const SunOverMoon& sun,
                                                    std::span<const SelenographicPoint> points, SunAltitudeBand band);

/// The same with the points' directions made before (DirectionOf, one per
/// point): those far from the band or the Earth's side are passed over by
/// two dot products; the others are checked exactly as above, so the
/// result is the same. Over 100,000 formations this takes the window
/// "Lichtgrenze" from 11 ms to under 2 (bench/windows_bench).
std::vector<std::size_t> FormationsInTerminatorZone(const ObservationState& ephemerides, const SunOverMoon& sun,
                                                    std::span<const SelenographicPoint> points,
                                                    std::span<const MoonDirection> directions, SunAltitudeBand band);
