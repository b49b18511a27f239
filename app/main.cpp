// Mirelta: a lunar atlas, ephemeris calculator and mountain height tool.

#include "app/application.h"
#include "platform/form_widgets.h"
#include "platform/regional_settings.h"
#include "windowbase/resources_init.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirelta"));
    InitialiseResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    // The fixed layouts are drawn for this style and font, whatever the desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setFont(FormFont());

    ObservationState state;
    QtMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, SystemDecimalSeparator());
    windows->Form1->show();
    return QApplication::exec();
}
