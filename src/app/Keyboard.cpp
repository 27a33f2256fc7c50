// Keys of the child windows, each handled by a small filter the window owns.
#include "app/Keyboard.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>

#include <utility>

namespace vexo {

namespace {

bool Plain_key(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool Is_enter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// A box whose text the user edits keeps its own keys.
bool Typing_box(const QObject* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return !text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

class Paging_keys : public QObject {
public:
    Paging_keys(QWidget* window, QScrollBar* bar) : QObject(window), bar_(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || watched == bar_ || Typing_box(watched))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        return Plain_key(key) && Page_by_key(bar_, key->key());
    }

private:
    QScrollBar* bar_;
};

class Enter_key : public QObject {
public:
    Enter_key(QWidget* field, QAbstractButton* button) : QObject(field), button_(button) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !Is_enter(static_cast<QKeyEvent*>(event)))
            return false;
        if (button_->isVisible() && button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QAbstractButton* button_;
};

class Press_keys : public QObject {
public:
    Press_keys(QWidget* widget, std::function<void()> press) : QObject(widget), press_(std::move(press)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            Show_focus(static_cast<QWidget*>(watched), event->type() == QEvent::FocusIn);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!Plain_key(key) || (!Is_enter(key) && key->key() != Qt::Key_Space))
            return false;
        press_();
        return true;
    }

private:
    // A label shows the focus as a box around it; any other widget draws its
    // own mark while it has the focus.
    void Show_focus(QWidget* widget, bool focused)
    {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (focused) {
                unfocused_style_ = label->frameStyle();
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
            } else {
                label->setFrameStyle(unfocused_style_);
            }
        }
        widget->update();
    }

    std::function<void()> press_;
    int unfocused_style_ = 0;
};

} // namespace

bool Page_by_key(QScrollBar* bar, int key)
{
    switch (key) {
    case Qt::Key_PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
    case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
    case Qt::Key_Down: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_Up: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); return true;
    case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); return true;
    default: return false;
    }
}

void Page_with_keys(QWidget* window, QScrollBar* bar)
{
    auto* filter = new Paging_keys(window, bar);
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

void Enter_presses(QWidget* field, QAbstractButton* button)
{
    field->installEventFilter(new Enter_key(field, button));
}

void Press_with_keys(QWidget* widget, std::function<void()> press)
{
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new Press_keys(widget, std::move(press)));
}

void Child_window_keys(QWidget* window, bool closes_on_escape)
{
    // Buttons of a child window take Enter as a dialog's buttons do.
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->setAutoDefault(true);
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    if (!closes_on_escape || !frame)
        return;
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), frame);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, frame, [frame] {
        // The window the user came from comes to the front first: closed
        // while active, the window would hand the front to the next one in
        // the work area's order instead.
        QMdiArea* area = frame->mdiArea();
        const QList<QMdiSubWindow*> history = area ? area->subWindowList(QMdiArea::ActivationHistoryOrder)
                                                   : QList<QMdiSubWindow*>();
        if (history.size() > 1 && history.last() == frame)
            area->setActiveSubWindow(history[history.size() - 2]);
        // A window that closes itself when it loses the front is gone already.
        if (const QPointer<QMdiSubWindow> open = frame; open && open->isVisible())
            open->close();
    });
}

} // namespace vexo
