#include "platform/Window_buffer.h"

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <sys/mman.h>
#include <unistd.h>

namespace vexo::platform {

void Prepare_buffer(QWidget* window)
{
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    window->winId();
    QBackingStore* store = window->backingStore();
    if (!store)
        return;
    store->resize(window->size());
    QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    // Whole pages only: the bytes around the pixels may belong to others.
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const auto first = reinterpret_cast<quintptr>(image->constBits());
    const quintptr from = (first + page - 1) & ~(page - 1);
    const quintptr to = (first + static_cast<quintptr>(image->sizeInBytes())) & ~(page - 1);
    // Refused by an older kernel: the pages then come one by one, as before.
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
}

namespace {

// Notes the first drawing of one window.
class First_drawing : public QObject {
public:
    explicit First_drawing(QWidget* window) : window_(window) { window->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        drawn = drawn || (watched == window_ && event->type() == QEvent::Paint);
        return false;
    }
    bool drawn = false;

private:
    QWidget* window_;
};

} // namespace

void Draw_when_on_screen(QWidget* window)
{
    First_drawing watch(window);
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(1000);
    while (!watch.drawn && window->windowHandle() && !window->windowHandle()->isExposed() && limit.isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    if (!watch.drawn)
        window->repaint();
}

} // namespace vexo::platform
