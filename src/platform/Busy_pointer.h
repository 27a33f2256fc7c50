// The one rule for long work: the busy pointer while it runs, and the window
// it was asked from (its opener) taking no input meanwhile. Both come back
// however the work ends, a failed query included.
#pragma once

#include <QPointer>
#include <QWidget>

namespace vexo::platform {

class Busy_pointer {
public:
    // `opener` may be null: only the pointer changes.
    explicit Busy_pointer(QWidget* opener = nullptr, Qt::CursorShape shape = Qt::BusyCursor);
    ~Busy_pointer();
    Busy_pointer(const Busy_pointer&) = delete;
    Busy_pointer& operator=(const Busy_pointer&) = delete;

private:
    QPointer<QWidget> opener_; // null when there is none or it was already disabled
};

} // namespace vexo::platform
