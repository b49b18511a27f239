#include "observing/moon_tonight.h"

#include "astronomy/calendar.h"
#include "astronomy/lunar_phases.h"
#include "observing/mez_moment.h"

#include <algorithm>

namespace {

bool IsRiseOrSet(const HorizonEvent& event) { return event.Kind != HorizonEventKind::Culmination; }

}  // namespace

double IlluminatedFractionFromSite(const MoonGlobe& globe)
{
    const Vector3 towardSite = Unit(EquatorialToBody(globe, -MoonFromSite(globe)));
    return (1.0 + Dot(globe.SunDirection, towardSite)) / 2.0;
}

MoonTonight LookAtTonight(const ObservationState& state, const MoonGlobe& globe)
{
    MoonTonight tonight;
    const MezMoment moment = ObservationMoment(state);
    tonight.Events = MoonHorizonEvents(moment, state.Latitude, state.Longitude);

    const MoonDay day(moment, state.Latitude, state.Longitude);
    tonight.AboveHorizon = MoonAboveHorizon(day, (moment.Hour * 60.0 + moment.Minute) * 60.0);
    if (std::none_of(tonight.Events.begin(), tonight.Events.end(), IsRiseOrSet)) {
        tonight.UpAllDay = tonight.AboveHorizon;
        tonight.DownAllDay = !tonight.AboveHorizon;
    }
    tonight.Altitude = MoonAltitudeFromSite(globe);
    tonight.IlluminatedFraction = IlluminatedFractionFromSite(globe);
    tonight.ApparentDiameter = 2.0 * SemiDiameterFromSite(globe);
    tonight.Age = MoonAge(state);
    tonight.Libration = SubObserverPoint(globe);
    const double now = JulianDate(state);
    for (auto [phase, kind] : {
             std::pair{LunarPhase::NewMoon,      MoonEventKind::NewMoon     },
             std::pair{LunarPhase::FirstQuarter, MoonEventKind::FirstQuarter},
             std::pair{LunarPhase::FullMoon,     MoonEventKind::FullMoon    },
             std::pair{LunarPhase::LastQuarter,  MoonEventKind::LastQuarter }
    })
        tonight.NextPhases.push_back({kind, NextPhaseInstant(now, phase), std::nullopt});
    std::sort(tonight.NextPhases.begin(), tonight.NextPhases.end(),
              [](const MoonEvent& a, const MoonEvent& b) { return a.JulianDateUt < b.JulianDateUt; });
    return tonight;
}
