#include "app/Counted_later.h"

#include "app/Child_windows.h"
#include "app/Guarded.h"
#include "data/RecordSet.h"

#include <QEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace vexo {

namespace {

// Waits for the first drawing of the rows, then lets the page reach the
// screen before the count runs.
class Count_after_drawing : public QObject {
public:
    Count_after_drawing(QWidget* shown, std::function<void()> counted)
        : QObject(shown), counted_(std::move(counted))
    {
        shown->installEventFilter(this);
        QTimer::singleShot(50, this, [this] { Count(); });
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { Count(); });
        return false;
    }

private:
    void Count()
    {
        if (done_)
            return;
        done_ = true;
        deleteLater();
        Run_guarded(counted_);
    }

    std::function<void()> counted_;
    bool done_ = false;
};

} // namespace

void When_counted(QWidget* shown, const std::unique_ptr<RecordSet>& list, std::function<void()> counted)
{
    const QWidget* main = Main_window();
    if (!list || list->Count_known() || !main || !main->isVisible()) {
        counted();
        return;
    }
    new Count_after_drawing(shown, [&list, set = list.get(), counted = std::move(counted)] {
        if (list.get() == set)
            counted();
    });
}

void Scroll_when_counted(QScrollBar* bar, int page, QWidget* shown, const std::unique_ptr<RecordSet>& list)
{
    const QSignalBlocker quiet(bar);
    bar->setRange(0, page);
    bar->setVisible(true);
    When_counted(shown, list, [bar, page, &list] {
        const QSignalBlocker quiet_later(bar);
        bar->setRange(0, std::max(0, list->RecordCount() - page));
        bar->setVisible(bar->maximum() > 0);
    });
}

} // namespace vexo
