// Guide chooser: its texts, the buttons filled from the guide list, the
// flowing grid of buttons, and opening a guide without a product.
#include "guides/frmGuide.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Guarded.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "guides/Guide_look.h"
#include "guides/Guide_page.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace vexo {

namespace {

constexpr double kButton_width = 735;  // twips
constexpr double kButton_height = 375;
constexpr double kGap = 120;

} // namespace

void Open_guide_chooser()
{
    Guide_SQL = sql::Guide_list_SQL();
    Guide_records = Main_database->OpenRecordset(Guide_SQL);
    Reopen_child<frmGuide>();
}

frmGuide::frmGuide(QWidget* parent)
    : QWidget(parent), lblRes(new QLabel(this)), lblTitle(new QLabel(this)), frmButton(new QFrame(this))
{
    lblRes->setObjectName(QStringLiteral("lblRes"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    frmButton->setObjectName(QStringLiteral("frmButton"));
    resize(Fitting_size(QSize(twips(9000), twips(5800)), QSize(twips(3000), twips(3000))));
    lblRes->setFont(Heading_font(14));
    lblRes->move(twips(120), twips(120));
    lblTitle->setFont(Text_font(9.75));
    lblTitle->setWordWrap(true);
    for (QLabel* label : {lblRes, lblTitle})
        label->setTextFormat(Qt::PlainText);

    // One button per guide the database holds, in ascending number: a newer
    // book's guides are as reachable as the first edition's.
    RecordSet* rows = Guide_records.get();
    if (rows)
        rows->MoveFirst();
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        const qsizetype i = cmdGuide.size();
        auto* button = new QPushButton(frmButton);
        button->setObjectName(QStringLiteral("cmdGuide"));
        const QString number = rows->Field(QStringLiteral("Guide_page"));
        button->setText(number);
        button->setToolTip(rows->Field(QStringLiteral("Sentences")));
        Set_tag(button, number);
        button->resize(std::max(twips(kButton_width), button->sizeHint().width()), twips(kButton_height));
        connect(button, &QPushButton::clicked, this, Guarded([this, i] { cmdGuide_Click(i); }));
        if (i > 0)
            setTabOrder(cmdGuide.back(), button);
        cmdGuide << button;
    }
    Guide_records.reset();
    // The explanation counts the guides, so it needs them first.
    Insert_Text_Language();
    Form_Resize();
    // Tall enough to show every button at the first width, where there is room.
    if (!cmdGuide.isEmpty()) {
        const QPushButton* last = cmdGuide.back();
        const int needed = frmButton->y() + last->y() + last->height() + twips(120);
        if (needed > height())
            resize(Fitting_size(QSize(width(), needed), size()));
    }
}

void frmGuide::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Guías de Respuesta de Emergencia"));
    lblRes->setText(QStringLiteral("Guías de Respuesta de Emergencia"));
    lblTitle->setText(QStringLiteral(
        "Esta sección es esencialmente la más importante de la Guía porque proporciona las recomendaciones de "
        "seguridad, que conforman un total de %1 Guías que contienen la información de respuesta a emergencias "
        "para protegerte").arg(cmdGuide.size()));
}

void frmGuide::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmGuide::Form_Resize()
{
    const int res_width = std::max(width() - lblRes->x() - twips(120), 1);
    lblRes->setGeometry(twips(120), lblRes->y(), res_width, lblRes->sizeHint().height());
    const int title_width = std::max(width() - twips(120) - twips(120), 1);
    lblTitle->setGeometry(twips(120), lblRes->y() + lblRes->height() + twips(120), title_width,
                          lblTitle->heightForWidth(title_width));

    frmButton->hide();
    const int panel_top = lblTitle->y() + lblTitle->height() + twips(240);
    frmButton->setGeometry(twips(30), panel_top, std::max(width() - twips(30) - twips(30), 1),
                           std::max(height() - panel_top - twips(120), 1));

    // A flowing grid: a button that would pass the panel's right edge starts
    // a new row; the gaps stay the same at every width.
    const int gap = twips(kGap);
    if (cmdGuide.isEmpty()) {
        frmButton->show();
        return;
    }
    cmdGuide[0]->move(0, 0);
    int x = cmdGuide[0]->x() + cmdGuide[0]->width() + gap;
    int y = cmdGuide[0]->y();
    for (qsizetype i = 1; i < cmdGuide.size(); ++i) {
        if (x + cmdGuide[i]->width() > frmButton->width()) {
            x = 0;
            y = cmdGuide[i - 1]->y() + cmdGuide[i - 1]->height() + gap;
        }
        cmdGuide[i]->move(x, y);
        x = cmdGuide[i]->x() + cmdGuide[i]->width() + gap;
    }
    frmButton->show();
}

void frmGuide::cmdGuide_Click(qsizetype index)
{
    Product_label.clear();
    Open_guide_page(Tag(cmdGuide[index]));
}

} // namespace vexo
