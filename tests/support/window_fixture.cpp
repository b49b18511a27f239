#include "tests/support/window_fixture.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

void WindowFixture::Start(char decimalSeparator)
{
    windows = CreateWindows(state, messages, decimalSeparator, [this] { return clockReading; });
}

void SaveScreenshot(QWidget& widget, const QString& name)
{
    QString folder = qEnvironmentVariable("MIRELTA_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
