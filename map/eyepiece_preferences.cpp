#include "map/eyepiece_preferences.h"

#include <QSettings>

namespace {

const QString kZenithUp = QStringLiteral("MondImOkular/zenitOben");
const QString kMirrored = QStringLiteral("MondImOkular/gespiegelt");
const QString kRotated180 = QStringLiteral("MondImOkular/gedreht180");

QSettings Preferences() { return QSettings(QStringLiteral("Mirelta"), QStringLiteral("Mirelta")); }

}  // namespace

ViewOrientation ReadEyepieceOrientation()
{
    const QSettings settings = Preferences();
    ViewOrientation orientation;
    orientation.ZenithUp = settings.value(kZenithUp, false).toBool();
    orientation.Mirrored = settings.value(kMirrored, false).toBool();
    orientation.Rotated180 = settings.value(kRotated180, false).toBool();
    return orientation;
}

void WriteEyepieceOrientation(const ViewOrientation& orientation)
{
    QSettings settings = Preferences();
    settings.setValue(kZenithUp, orientation.ZenithUp);
    settings.setValue(kMirrored, orientation.Mirrored);
    settings.setValue(kRotated180, orientation.Rotated180);
}
