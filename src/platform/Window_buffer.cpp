#include "platform/Window_buffer.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>

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

} // namespace vexo::platform
