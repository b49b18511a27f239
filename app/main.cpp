// Mirelta: a lunar atlas, ephemeris calculator and mountain height tool.

#include "app/application.h"
#include "app/command_line.h"
#include "platform/regional_settings.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The command line runs before any Qt application exists, so it needs
    // no display.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (IsCommandLineCall(arguments)) {
        std::ios::sync_with_stdio(false);
        return RunCommandLine(arguments, std::cout, std::cerr);
    }

    QApplication application(argc, argv);
    PrepareApplication();

    ObservationState state;
    QtMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, SystemDecimalSeparator());
    windows->Form1->show();
    return QApplication::exec();
}
