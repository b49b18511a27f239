#include "photo/photo_preferences.h"

#include <QDir>
#include <QSettings>

namespace {

const QString kFolderKey = QStringLiteral("Foto/Ordner");
const QString kClockKey = QStringLiteral("Foto/KamerauhrMinutenOstVonUT");

QSettings Preferences() { return QSettings(QStringLiteral("Mirelta"), QStringLiteral("Mirelta")); }

}  // namespace

QString LastPhotoFolder() { return Preferences().value(kFolderKey, QDir::currentPath()).toString(); }

void RememberPhotoFolder(const QString& folder) { Preferences().setValue(kFolderKey, folder); }

std::optional<int> CameraClockOffset()
{
    const QVariant value = Preferences().value(kClockKey);
    bool ok = false;
    const int minutes = value.toInt(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return minutes;
}

void RememberCameraClockOffset(int minutes) { Preferences().setValue(kClockKey, minutes); }
