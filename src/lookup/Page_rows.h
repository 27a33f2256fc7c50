// Small helpers shared by the paged lists (index pages, summary, water
// list): the busy pointer while the database is read, and row widgets
// updated in place.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPalette>
#include <QWidget>

namespace vexo {

// The hourglass (or arrow and hourglass) while a window reads the database;
// the pointer comes back however the read ends.
class Hourglass {
public:
    explicit Hourglass(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

// Background of a row's label or text box; a text box paints its base.
inline void Paint_background(QWidget* widget, const QColor& colour)
{
    const QPalette::ColorRole role = qobject_cast<QLineEdit*>(widget) ? QPalette::Base : QPalette::Window;
    if (widget->palette().color(role) == colour && widget->autoFillBackground())
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline QColor Background(const QWidget* widget)
{
    return widget->palette().color(qobject_cast<const QLineEdit*>(widget) ? QPalette::Base : QPalette::Window);
}

// A name box shows the start of a long name, whatever was there before. The
// row's name is also kept apart from the text shown: what the guide page, the
// distances lookup and the summary receive is the database's name, never what
// the box happens to show.
inline void Show_name(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
    box->setCursorPosition(0);
    box->setToolTip(text);
    box->setProperty("row_name", text);
}

inline QString Row_name(const QLineEdit* box)
{
    return box->property("row_name").toString();
}

inline void Set_bold(QWidget* widget, bool bold)
{
    if (widget->font().bold() == bold)
        return;
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

// A sunken cell of a row (ID, guide, marks).
inline QLabel* New_cell(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

// Calls `changed(true)` each time the window's frame becomes the active
// child window and `changed(false)` when it stops being; hooked once, when
// the window is first shown in its frame. Returns whether it is hooked.
template <class Window, class Handler>
bool Watch_activation(Window* window, Handler changed)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!frame)
        return false;
    QObject::connect(frame, &QMdiSubWindow::windowStateChanged, window,
                     [changed](Qt::WindowStates before, Qt::WindowStates now) {
                         const bool was = before.testFlag(Qt::WindowActive);
                         const bool is = now.testFlag(Qt::WindowActive);
                         if (was != is)
                             changed(is);
                     });
    return true;
}

} // namespace vexo
