// Placing child windows in the main window's work area.
#include "app/Child_windows.h"

#include "app/General.h"
#include "app/Keyboard.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"

namespace vexo {

QMdiArea* Work_area()
{
    return Main_form ? Main_form->Work_area() : nullptr;
}

QWidget* Main_window()
{
    return Main_form;
}

QMdiSubWindow* Show_child(QWidget* window)
{
    const QSize wanted = window->size();
    QMdiSubWindow* sub = Work_area()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon());
    sub->show();
    // The window chose its content size in its load; the frame adds its own.
    // Every window starts at the top left corner of the work area, over the
    // others, as large as its content asks and the work area allows.
    const QSize frame = sub->size() - window->size();
    QSize size = wanted + frame;
    if (Main_window()->isVisible())
        size = size.boundedTo(Work_area()->viewport()->size()).expandedTo(sub->minimumSize());
    sub->setGeometry(QRect(QPoint(0, 0), size));
    Child_window_keys(window, !qobject_cast<frmWelcome*>(window));
    window->setFocus();
    return sub;
}

} // namespace vexo
