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
    window->setFocus();
    return sub;
}

} // namespace vexo
