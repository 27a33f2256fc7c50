// Fonts and first sizes of the guide windows; the free fallback faces are
// those the set-up installs (Liberation is metric-compatible with Arial).
#include "guides/Guide_look.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "platform/Twips.h"

#include <QMdiArea>

#include <QStringList>

namespace vexo {

QFont Heading_font(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setWeight(QFont::Black);
    return font;
}

QFont Text_font(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QSize Fitting_size(const QSize& design, const QSize& minimum)
{
    QMdiArea* area = Work_area();
    if (!area)
        return design;
    // Room for the frame's borders and title bar.
    const QSize room = area->viewport()->size() - QSize(twips(120), twips(600));
    return design.boundedTo(room).expandedTo(minimum);
}

} // namespace vexo
