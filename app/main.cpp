// Mirelta: a lunar atlas, ephemeris calculator and mountain height tool.

#include "app/application.h"
#include "app/command_line.h"
#include "platform/regional_settings.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

// What the toolkit says while it connects to the display; shown only when
// the connection fails, below our own message.
std::vector<std::string> connectionMessages;

// Qt ends the process with an abort when no display can be opened. Its
// fatal message ends the program here instead: a German explanation and
// status 1, as for every other failure that is not the user's typing.
void MessageDuringConnection(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    connectionMessages.push_back(qFormatLogMessage(type, context, message).toStdString());
    if (type != QtFatalMsg) return;
    std::cerr << "mirelta: keine grafische Anzeige erreichbar, die Fenster können nicht geöffnet werden.\n"
                 "Mirelta braucht eine Anzeige (Umgebungsvariable DISPLAY oder WAYLAND_DISPLAY); die\n"
                 "Ephemeridentabelle gibt es auch ohne: mirelta --hilfe\n"
                 "Meldung des Qt-Toolkits:\n";
    for (const std::string& line : connectionMessages) std::cerr << "  " << line << '\n';
    std::cerr.flush();
    std::_Exit(kExitFailure);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The command line runs before any Qt application exists, so it needs
    // no display.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (IsCommandLineCall(arguments)) {
        std::ios::sync_with_stdio(false);
        return RunCommandLine(arguments, std::cout, std::cerr);
    }

    const QtMessageHandler usualHandler = qInstallMessageHandler(MessageDuringConnection);
    QApplication application(argc, argv);
    qInstallMessageHandler(usualHandler);
    // Connected: what the toolkit said on the way goes out as it would have.
    for (const std::string& line : connectionMessages) std::cerr << line << '\n';
    connectionMessages.clear();
    PrepareApplication();

    ObservationState state;
    QtMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, SystemDecimalSeparator());
    windows->Form1->show();
    return QApplication::exec();
}
