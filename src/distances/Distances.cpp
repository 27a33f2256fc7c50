// Opening the distances table, the water-reactive list and the distances box,
// and drawing our diagrams.
#include "distances/Distances.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "data/Queries.h"
#include "distances/frmGreen.h"
#include "distances/frmGreenBox.h"
#include "distances/frmTable3.h"
#include "distances/frmWater.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPainter>
#include <QSvgRenderer>

namespace vexo {

void Open_distances_table()
{
    Green_SQL = sql::Distances_table_SQL();
    Reopen_child<frmGreen>();
}

void Open_water_list()
{
    Close_child<frmWater>();
    Water_SQL = sql::Water_list_SQL();
    Reopen_child<frmWater>();
}

void Open_water_material(const QString& id)
{
    Close_child<frmWater>();
    Water_SQL = sql::Water_one_SQL(id);
    Reopen_child<frmWater>();
}

void Open_table3(const QString& id)
{
    if (!Large_spills_present())
        return;
    frmTable3::Opened_at = id;
    Reopen_child<frmTable3>();
}

void Open_distances_box()
{
    // The box opens over the window that asked for it, a little below its
    // title so the guide number stays readable, and wholly inside the work area.
    QPointer<QMdiSubWindow> opener = Work_area() ? Work_area()->activeSubWindow() : nullptr;
    // A box asked for again from the box itself has no page under it, and its
    // old frame goes as the box is reopened.
    if (opener && qobject_cast<frmGreenBox*>(opener->widget()))
        opener = nullptr;
    const QPoint wanted = opener ? opener->pos() + QPoint(twips(240), twips(960)) : QPoint();
    Reopen_child<frmGreenBox>();
    QMdiSubWindow* frame = Child_frame<frmGreenBox>();
    if (!frame)
        return;
    // The box belongs to the product of the window that asked for it: when
    // that window goes, or is rebuilt for another product, so does the box.
    static_cast<frmGreenBox*>(frame->widget())->Opened_over(opener);
    const QSize area = Work_area()->viewport()->size();
    frame->move(std::max(0, std::min(wanted.x(), area.width() - frame->width())),
                std::max(0, std::min(wanted.y(), area.height() - frame->height())));
}

void Install_distances_box()
{
    frmGuidePage::Distances_box_opener = &Open_distances_box;
}

QPixmap Diagram(const QString& name, int width)
{
    QSvgRenderer renderer(QStringLiteral(":/distances/%1.svg").arg(name));
    const QSizeF size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        return {};
    const qreal ratio = qApp ? qGuiApp->devicePixelRatio() : 1.0;
    const int height = static_cast<int>(width * size.height() / size.width());
    QPixmap picture(static_cast<int>(width * ratio), static_cast<int>(height * ratio));
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(0, 0, width, height));
    return picture;
}

} // namespace vexo
