#pragma once
// Chief header of the astronomical computation: the observation state and
// every astronomical routine. Standard C++ only.
//
// Conventions: angles in degrees in the state and in every interface unless
// stated, radians inside the routines (factor DegreeFactor); right ascension
// in degrees, sidereal time in hours; north and east positive. The state's
// time is MEZ; every routine works in UT = MEZ - 1 h.
#include "astronomy/observation_state.h"

#include "astronomy/angles.h"
#include "astronomy/calendar.h"
#include "astronomy/clock.h"
#include "astronomy/coordinates.h"
#include "astronomy/distance_units.h"
#include "astronomy/moon_theory.h"
#include "astronomy/mountain_height.h"
#include "astronomy/physical_ephemerides.h"
#include "astronomy/sun_position.h"
#include "platform/rounding.h"  // Int, Frac, Trunc, PositiveFrac, RoundHalfEven
