// A window's widgets as a test meets them: by object name, as the user sees
// them (shown or not), never through the window's members.
#pragma once

#include <QString>
#include <QWidget>

namespace vexo::test {

// The child of `window` named `name`, or `name_<i>` / `name_<i>_<j>` for a
// widget of a row; a missing name ends the test run, loudly.
template <class Widget = QWidget, class... Index>
Widget* Child(const QObject* window, const char* name, Index... index)
{
    QString full = QString::fromLatin1(name);
    ((full += u'_' + QString::number(index)), ...);
    auto* found = window ? window->findChild<Widget*>(full) : nullptr;
    if (!found)
        qFatal("no widget %s", qPrintable(full));
    return found;
}

// On screen as far as the window goes (the window itself may be hidden).
inline bool Shown(const QWidget* widget)
{
    return widget->isVisibleTo(widget->window());
}

} // namespace vexo::test
