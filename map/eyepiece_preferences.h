#pragma once
// The orientation of the window "Mond im Okular", kept between runs with
// QSettings in the user's configuration folder
// (~/.config/Mirelta/Mirelta.conf), never in mirelta.ini.

#include "observing/sky_orientation.h"

/// The orientation chosen last; north up, neither mirrored nor turned
/// before the first choice.
ViewOrientation ReadEyepieceOrientation();
void WriteEyepieceOrientation(const ViewOrientation& orientation);
