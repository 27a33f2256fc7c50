// Every child window of the main window is opened one way: the opener sets
// the globals the window reads, the window is closed if it is open, built
// anew (its constructor is its load) and shown. So each kind of window
// exists at most once and always shows the database as it is now.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>

#include <utility>

namespace vexo {

// What a child window may know of the main window: its work area, and the
// main window itself as the owner of a dialog. Null before the main window
// exists and after it is gone.
QMdiArea* Work_area();
QWidget* Main_window();

// The frame of a child window, found by the kind of its content.
template <class Window>
QMdiSubWindow* Child_frame()
{
    QMdiArea* area = Work_area();
    if (!area)
        return nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (qobject_cast<Window*>(sub->widget()))
            return sub;
    return nullptr;
}

template <class Window>
Window* Find_child()
{
    QMdiSubWindow* sub = Child_frame<Window>();
    return sub ? static_cast<Window*>(sub->widget()) : nullptr;
}

// Unloads the window now: its destructor runs before the caller goes on.
template <class Window>
void Close_child()
{
    delete Child_frame<Window>();
}

// Puts a freshly built window into the main window at the size it chose.
QMdiSubWindow* Show_child(QWidget* window);

template <class Window, class... Args>
Window* Reopen_child(Args&&... args)
{
    Close_child<Window>();
    auto* window = new Window(std::forward<Args>(args)...);
    Show_child(window);
    return window;
}

} // namespace vexo
