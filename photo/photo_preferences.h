#pragma once
// What the window "Höhe aus Foto" remembers between runs, in the user's
// configuration folder (QSettings), never in mirelta.ini: the folder of
// the last picture and the zone of the camera's clock.

#include <QString>

#include <optional>

QString LastPhotoFolder();
void RememberPhotoFolder(const QString& folder);

/// Minutes east of UT of the camera's clock, once the user has said it.
std::optional<int> CameraClockOffset();
void RememberCameraClockOffset(int minutes);
