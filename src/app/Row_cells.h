// The row and cell widgets every list and table of the program is made of
// (index pages, summary, water list, distances, guide pages), updated in
// place as the rows are paged.
#pragma once

#include "app/Safety_rules.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPalette>
#include <QWidget>

namespace vexo {

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

// A label of plain text (a heading, a value), wrapped at its width.
QLabel* New_text_label(QWidget* parent, Qt::Alignment align, bool bold = false);

// A sunken cell of a row (ID, guide, marks).
QLabel* New_cell(QWidget* parent);

// The "RIT" and marks cells of a row, with their tips; hidden when empty.
void Show_marks(QLabel* reaction, QLabel* mark, const Product_marks& marks);

// A control's tag: the text a window keeps on a control for those who read it
// later (a block's sentence code, a button's query text).
inline QString Tag(const QObject* control)
{
    return control->property("tag").toString();
}
inline void Set_tag(QObject* control, const QString& tag)
{
    control->setProperty("tag", tag);
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
