#include "app/preferences.h"

#include <QSettings>

namespace {

const QString kFollowsClock = QStringLiteral("Uhrzeit/mitfuehren");

QSettings Preferences() { return QSettings(QStringLiteral("Mirelta"), QStringLiteral("Mirelta")); }

}  // namespace

bool ReadFollowsClockPreference() { return Preferences().value(kFollowsClock, true).toBool(); }

void WriteFollowsClockPreference(bool follows) { Preferences().setValue(kFollowsClock, follows); }
