// Opening a guide page: the polymerization warning, the page query, and the
// viewer built anew from its rows.
#include "guides/Guide_page.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "data/Queries.h"
#include "guides/frmGuidePage.h"
#include "platform/Busy_pointer.h"
#include "platform/Platform.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vexo {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(192, 192, 192);

} // namespace

std::optional<Sentence_look> Look_of_code(int code)
{
    switch (code) {
    case 0: return Sentence_look{0, kWhite, kBlack, false, true};
    case 1: return Sentence_look{0, kWhite, kBlack, true, true};
    case 3: return Sentence_look{2, kBlack, kWhite, true, true};
    case 4: return Sentence_look{0, kGrey, kBlack, true, false};
    case 6: return Sentence_look{0, kWhite, kBlack, false, true};
    default: return std::nullopt;
    }
}

frmGuidePage* Open_guide_page(QString guide_code)
{
    if (guide_code.endsWith(QLatin1Char('P')))
        platform::MsgBox(QStringLiteral("ADVERTENCIA: Este material tiende a presentar peligro de polimerización."),
                         platform::Icon::Exclamation, platform::Buttons::Ok,
                         QStringLiteral("Peligro de polimerización"));
    {
        // The window the user was in takes no input while the page is read.
        QMdiSubWindow* active = Work_area() ? Work_area()->activeSubWindow() : nullptr;
        platform::Busy_pointer busy(active ? active->widget() : nullptr);
        guide_code.truncate(3);
        Guide_page_SQL = sql::Guide_page_SQL(guide_code);
        try {
            Guide_page_records = Main_database->OpenRecordset(Guide_page_SQL);
        } catch (const Db_error&) {
            Guide_page_records.reset();
        }
        // One guide page at a time: the one shown goes even if the new one
        // cannot be read, so the user never mistakes it for the guide asked for.
        Close_child<frmGuidePage>();
    }
    if (!Guide_page_records || Guide_page_records->Empty()) {
        Guide_page_records.reset();
        Product_label.clear();
        platform::MsgBox(QStringLiteral("La guía %1 no se encuentra en la base de datos.").arg(guide_code),
                         platform::Icon::Exclamation);
        return nullptr;
    }
    return Reopen_child<frmGuidePage>();
}

} // namespace vexo
