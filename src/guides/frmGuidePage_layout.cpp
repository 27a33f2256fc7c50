// Guide page viewer layout: the header band, the stacked text blocks with
// their rule lines, and the sheet scrolling under the header. Measures are
// twips; the sheet moves by the last block index in twips per scroll unit.
#include "guides/frmGuidePage.h"

#include "app/Row_cells.h"
#include "guides/Guide_page.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vexo {

namespace {

// Bottom edge of a control in twips, as the header rules compare them.
qint16 Bottom_twips(const QWidget* control)
{
    return static_cast<qint16>(std::lround(to_twips(control->y() + control->height())));
}

int Header_bottom(const QFrame* header)
{
    return header->y() + header->height();
}

} // namespace

qint16 frmGuidePage::max_two_nbr(qint16 first_nbr, qint16 second_nbr)
{
    return first_nbr > second_nbr ? first_nbr : second_nbr;
}

void frmGuidePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmGuidePage::Place_header()
{
    frmHeader->setGeometry(0, 0, width(), frmHeader->height());
    lblGuide->move(twips(120), twips(120));
    lblGuide->adjustSize();
    const int product_left = lblGuide->x() + lblGuide->width() + twips(120);
    const int product_width = std::max(frmHeader->width() - product_left - twips(120), 1);
    lblProduct->setGeometry(product_left, lblGuide->y() + twips(60), product_width,
                            lblProduct->heightForWidth(product_width));

    // The buttons stand under the guide number, unless a title that wraps
    // reaches down beside them: then they go under the title, so that no line
    // of it is ever hidden.
    const bool both = !cmdIIPAD->isHidden();
    const int buttons_right = lblGuide->x() + cmdPrint->width() + (both ? twips(120) + cmdIIPAD->width() : 0);
    const int title_bottom = lblProduct->y() + lblProduct->height();
    int buttons_top = lblGuide->y() + lblGuide->height();
    if (buttons_right > lblProduct->x() && title_bottom > buttons_top)
        buttons_top = title_bottom + twips(60);
    cmdPrint->move(lblGuide->x(), buttons_top);
    if (both)
        cmdIIPAD->move(cmdPrint->x() + cmdPrint->width() + twips(120), cmdPrint->y());

    const qint16 lower = max_two_nbr(Bottom_twips(lblProduct), Bottom_twips(cmdPrint));
    if (!lblNameProduct->isHidden()) {
        const int width = std::max(frmHeader->width() - twips(240) - twips(360), 1);
        lblNameProduct->setGeometry(twips(240), twips(lower + 360), width, lblNameProduct->heightForWidth(width));
        frmHeader->resize(frmHeader->width(), lblNameProduct->y() + lblNameProduct->height());
    } else {
        frmHeader->resize(frmHeader->width(), twips(lower + 120));
    }
}

void frmGuidePage::Form_Resize()
{
    // The minimum size (5000 × 2085) is the widget's own: the window cannot
    // be made smaller than that.
    Place_header();
    const int header_bottom = Header_bottom(frmHeader);

    const int bar_width = vsGuide->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vsGuide);
    vsGuide->setGeometry(width() - bar_width, header_bottom, bar_width, std::max(height() - header_bottom, 0));

    const int sheet_left = twips(240);
    frmWhite->setGeometry(sheet_left, frmWhite->y(), std::max(vsGuide->x() - twips(240) - sheet_left, 1),
                          frmWhite->height());
    Change_guide_position();

    // Outer height: the frame the user drags, title bar included.
    const auto* frame = qobject_cast<const QMdiSubWindow*>(parentWidget());
    const int outer_height = frame ? frame->height() : frameGeometry().height();
    vsGuide->setVisible(header_bottom + frmWhite->height() + twips(820) > outer_height);
    vsGuide_Change(vsGuide->value());

    // With the scroll box at the end the sheet's bottom stands 240 above the
    // window's bottom. A page of one block has no step to scroll by.
    if (last_block_ >= 1) {
        const double overflow = to_twips(frmWhite->height()) - to_twips(height()) + to_twips(header_bottom) + 360;
        const long maximum = std::lround(overflow / last_block_);
        vsGuide->setMaximum(static_cast<int>(std::clamp(maximum, 0L, 32767L)));
        vsGuide->setPageStep(static_cast<int>(std::lround((vsGuide->maximum() - vsGuide->minimum()) / 3.0)));
    }
}

void frmGuidePage::Change_guide_position()
{
    const int sheet_width = frmWhite->width();
    int top = 0;
    qsizetype line = -1;
    for (qint16 i = 0; i <= last_block_; ++i) {
        QLabel* block = lblText[i];
        if (Tag(block) != QLatin1String("4")) {
            block->setGeometry(0, top, sheet_width, block->heightForWidth(sheet_width));
        } else {
            // A sub-heading stays one line; its rule runs across the sheet
            // along the block's upper edge.
            block->setGeometry(0, top, block->sizeHint().width(), block->sizeHint().height());
            if (++line < lnLine.size())
                lnLine[line]->setGeometry(0, top, sheet_width, 1);
        }
        top += block->height();
    }
    frmWhite->resize(sheet_width, top);
}

void frmGuidePage::vsGuide_Change(int value)
{
    // The offset reaches past 16 bits on a long page in a narrow window.
    const qint64 offset = static_cast<qint64>(std::max<qint16>(last_block_, 0)) * value;
    frmWhite->move(frmWhite->x(), Header_bottom(frmHeader) + twips(120) - twips(static_cast<double>(offset)));
}

void frmGuidePage::wheelEvent(QWheelEvent* event)
{
    // The wheel over the sheet scrolls it as the scroll bar would.
    if (vsGuide->isVisible())
        QCoreApplication::sendEvent(vsGuide, event);
    else
        QWidget::wheelEvent(event);
}

} // namespace vexo
