#pragma once
// The Moon tonight at a glance: when it rises, culminates and sets at the
// site, how much of it is lit, how large it looks, its age, its libration
// seen from the site and whether it stands above the horizon now.

#include "astronomy/moon_globe.h"
#include "astronomy/observation_state.h"
#include "observing/moon_events.h"
#include "observing/moon_rise_set.h"

#include <vector>

/// What the panel "Heute" of the eyepiece view shows, besides the texts.
struct MoonTonight {
    std::vector<HorizonEvent> Events;   ///< rises, culminations, sets on the MEZ date of the state
    bool UpAllDay = false;              ///< no rise or set that day, and the Moon above the horizon
    bool DownAllDay = false;            ///< no rise or set that day, and the Moon below it
    bool AboveHorizon = false;          ///< at the state's moment: the upper limb above the sea horizon
                                        ///< with the standard refraction (the test of rise and set)
    double Altitude = 0;                ///< degrees, the centre seen from the site, no refraction
    double IlluminatedFraction = 0;     ///< 0..1, the lit part of the disc's area seen from the site
    double ApparentDiameter = 0;        ///< arcseconds, seen from the site
    double Age = 0;                     ///< days since new moon (MoonAge)
    SelenographicPoint Libration;       ///< degrees: the point under the site (SubObserverPoint)
    std::vector<MoonEvent> NextPhases;  ///< the next new moon, first quarter, full moon and last
                                        ///< quarter after the moment, in time order
};

/// The lit fraction of the disc seen from the site: (1 + cos i) / 2, i the
/// angle at the Moon between the Sun and the site (Meeus, ch. 48).
double IlluminatedFractionFromSite(const MoonGlobe& globe);

/// The Moon tonight for the state's date, time and site, and `globe`, the
/// globe for the same (ViewMoonGlobe). Reads the date, time and site;
/// changes nothing.
MoonTonight LookAtTonight(const ObservationState& state, const MoonGlobe& globe);
