// The program's start as app/main.cpp runs it, ending once the main window
// has been painted for the first time: windows_bench starts it as a whole
// process to time the start-up and read its peak memory. It runs in the
// folder it is started in, like the program. Exit code 0 after the first
// paint, 1 when the start showed a message (it would have waited for a
// click), 2 when no paint came within ten seconds.

#include "app/application.h"
#include "platform/regional_settings.h"
#include "tests/support/recording_messages.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Ends the event loop after the first paint of the watched window.
class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued: the children are painted and the frame is flushed first.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    PrepareApplication();

    ObservationState state;
    RecordingMessageService messages;
    std::unique_ptr<MireltaWindows> windows = CreateWindows(state, messages, SystemDecimalSeparator());
    if (!messages.messages().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(messages.lastText()));
        return 1;
    }
    FirstPaint firstPaint;
    windows->Form1->installEventFilter(&firstPaint);
    windows->Form1->show();
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(2); });
    return QApplication::exec();
}
