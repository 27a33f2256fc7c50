// Placing child windows in the main window's work area.
#include "app/Child_windows.h"

namespace vexo {

QMdiSubWindow* Show_child(QWidget* window)
{
    const QSize wanted = window->size();
    QMdiSubWindow* sub = Main_form->mdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(window->windowIcon());
    sub->show();
    // The window chose its content size in its load; the frame adds its own.
    const QSize frame = sub->size() - window->size();
    sub->resize(wanted + frame);
    // The work area puts a new window in the first free spot, often half out
    // of sight beside the others; a window that would not be seen whole
    // starts at the top left corner instead, over the others.
    const QRect visible = Main_form->mdiArea->viewport()->rect();
    if (!visible.contains(sub->geometry()))
        sub->move(0, 0);
    window->setFocus();
    return sub;
}

} // namespace vexo
