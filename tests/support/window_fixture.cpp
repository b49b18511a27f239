#include "tests/support/window_fixture.h"

#include <QDir>
#include <QPixmap>
#include <QSettings>
#include <QWidget>

void WindowFixture::Start(char decimalSeparator)
{
    UseScratchSettings();
    windows = CreateWindows(state, messages, decimalSeparator, [this] { return clockReading; });
}

void WindowFixture::UseScratchSettings()
{
    // The program's preferences go to the scratch folder, never to the
    // user's configuration.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString((dir.path() / "einstellungen").string()));
}

void SaveScreenshot(QWidget& widget, const QString& name)
{
    QString folder = qEnvironmentVariable("MIRELTA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
