// vexo_bench_start: one start of the program, ended as soon as the welcome
// page has been drawn; with --bare, a bare Qt window with one label instead,
// the yardstick, and with --bare --sized the same window as large as the
// program's main window opens. Each is timed from outside as a whole process,
// for example with /usr/bin/time, several runs, alternating them.
#include "Bench_support.h"

#include "app/Application.h"
#include "app/First_start.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Ends the program after the first paint of a widget that `shown` accepts.
class Quit_when_drawn : public QObject {
public:
    explicit Quit_when_drawn(bool (*shown)(QObject*)) : shown_(shown) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !done_ && shown_(watched)) {
            done_ = true;
            // Ended at once, after the drawn page reached the screen: quitting
            // would ask the main window to close (and so ask the user), and
            // tearing down is no part of the start.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    bool (*shown_)(QObject*);
    bool done_ = false;
};

bool Inside_welcome(QObject* object)
{
    for (QObject* o = object; o; o = o->parent())
        if (qobject_cast<vexo::frmWelcome*>(o))
            return true;
    return false;
}

// The main window's size when the program opens: the stored one, else the
// first start's (80% of the screen's free area, when the welcome page fits).
QSize Main_window_size()
{
    if (!vexo::First_start())
        return vexo::Stored_placement().size();
    return vexo::First_start_least(QGuiApplication::primaryScreen()->availableGeometry());
}

} // namespace

int main(int argc, char** argv)
{
    // The application object is made before the command line is read, and
    // which one depends on --bare: the yardstick is a plain Qt application.
    const bool bare = std::any_of(argv + 1, argv + argc, [](const char* a) { return std::strcmp(a, "--bare") == 0; });
    const auto application =
        bare ? std::make_unique<QApplication>(argc, argv) : std::make_unique<vexo::Application>(argc, argv);
    const vexo::bench::Options options(QStringLiteral("usage: vexo_bench_start [--bare [--sized]]\n"
                                                      "  starts the program and ends it once the welcome page is drawn;\n"
                                                      "  --bare: a bare Qt window with one label instead;\n"
                                                      "  --sized: that window as large as the program's main window\n"),
                                       {QStringLiteral("--bare"), QStringLiteral("--sized")}, {});
    if (options.Has(QStringLiteral("--sized")) && !bare)
        options.Usage();
    if (bare) {
        QLabel label(QStringLiteral("MARDOVI VEXO"));
        // Every pixel of a window costs its first drawing; sized like the
        // main window, the yardstick puts as many on screen as the program.
        if (options.Has(QStringLiteral("--sized")))
            label.resize(Main_window_size());
        Quit_when_drawn quit([](QObject* o) { return o->isWidgetType(); });
        application->installEventFilter(&quit);
        label.show();
        return QApplication::exec();
    }
    Quit_when_drawn quit(Inside_welcome);
    application->installEventFilter(&quit);
    return vexo::Main();
}
