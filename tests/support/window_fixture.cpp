#include "tests/support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

void WindowFixture::Start(char decimalSeparator)
{
    UseScratchSettings();
    windows = CreateWindows(state, messages, decimalSeparator, [this] { return clockReading; });
}

void WindowFixture::ChooseTime(const QStringList& fields)
{
    main().DatumundUhrzeitfestlegen1->trigger();
    TForm4& dialog = *windows->Form4;
    QLineEdit* edits[] = {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5};
    for (int i = 0; i < 5; ++i) edits[i]->setText(fields[i]);
    dialog.Button1->click();
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
