#pragma once
// The program's own preferences, kept with QSettings in the user's
// configuration folder (~/.config/Mirelta/Mirelta.conf), never in
// mirelta.ini, whose layout is fixed.

/// Whether the observation time follows the computer's clock
/// ("Uhrzeit mitführen"); true until the user unchecks it.
bool ReadFollowsClockPreference();
void WriteFollowsClockPreference(bool follows);
