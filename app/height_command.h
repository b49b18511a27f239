#pragma once
// The command line's --hoehe: the height of a mountain from a timed shadow
// transit, as the panel "Höhenberechnung" computes it, for reducing a
// night's timings in a script.

#include "app/command_line.h"
#include "astronomy/observation_state.h"

#include <iosfwd>

/// Computes and prints the height `request` asks for, seen from `site`
/// (its Latitude, Longitude and SiteName set).
///
/// The formation named by --objekt is the first record of that name in
/// objects.dat in the current folder. The computation is the panel's
/// (MeasureMountainHeight) for the request's moment.
/// Returned: kExitSuccess after the height in metres, to the millimetre
///   (FloatToText: up to 15 significant digits, `decimalSeparator`), and a
///   line end on `out`; kExitNoHeight after "mirelta: keine Höhe. " and the
///   reason (NoHeightExplanation) on `err`.
/// Throws UsageError for a name objects.dat does not hold or holds without
///   a place, MireltaError when objects.dat cannot be read.
int PrintHeight(const HeightRequest& request, ObservationState site, char decimalSeparator, std::ostream& out,
                std::ostream& err);
