// The busy pointer over the whole program, and the opener disabled meanwhile.
#include "platform/Busy_pointer.h"

#include <QApplication>

namespace vexo::platform {

Busy_pointer::Busy_pointer(QWidget* opener, Qt::CursorShape shape)
{
    // An opener already disabled (by an outer command) is given back by that
    // command, not here.
    if (opener && opener->isEnabled()) {
        opener_ = opener;
        opener->setEnabled(false);
    }
    QApplication::setOverrideCursor(shape);
}

Busy_pointer::~Busy_pointer()
{
    if (opener_)
        opener_->setEnabled(true);
    QApplication::restoreOverrideCursor();
}

} // namespace vexo::platform
