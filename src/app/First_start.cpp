// The main window's first placement on a screen.
#include "app/First_start.h"

#include "app/frmMain.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

#include <cmath>

namespace vexo {

namespace {

// The window manager's title bar and borders, which the window's own size
// leaves out; they are not known before the window is first shown.
constexpr int kTitle_bar = 450; // twips
constexpr int kBorder = 120;

} // namespace

bool First_start()
{
    return platform::Get_setting(QStringLiteral("Settings"), QStringLiteral("MainWidth"), QString()).isEmpty();
}

QSize First_start_least(const QRect& available)
{
    return {static_cast<int>(std::ceil(available.width() * 0.8)),
            static_cast<int>(std::ceil(available.height() * 0.8))};
}

bool Fit_first_start(frmMain& window, QSize page, const QRect& available)
{
    const int frame = 2 * window.Work_area()->frameWidth();
    const QSize toolbar = window.findChild<QToolBar*>(QStringLiteral("tbToolBar"))->sizeHint();
    const QSize needed(std::max(page.width() + frame, toolbar.width()),
                       page.height() + frame + window.menuBar()->sizeHint().height() + toolbar.height());
    const QSize size = needed.expandedTo(First_start_least(available));
    const QSize outer = size + QSize(2 * twips(kBorder), twips(kTitle_bar) + twips(kBorder));
    if (outer.width() > available.width() || outer.height() > available.height()) {
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return true;
    }
    window.move(available.topLeft() + QPoint((available.width() - outer.width()) / 2,
                                             (available.height() - outer.height()) / 2));
    window.resize(size);
    return false;
}

} // namespace vexo
