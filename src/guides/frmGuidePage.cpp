// Guide page viewer: its controls, its captions, the build of the page from
// the sentence rows, and the two buttons.
#include "guides/frmGuidePage.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Keyboard.h"
#include "app/Row_cells.h"
#include "guides/Guide_look.h"
#include "guides/Guide_page.h"
#include "guides/Sentence_marks.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>

namespace vexo {

namespace {

constexpr double kButton_width = 1215;  // twips
constexpr double kButton_height = 375;

QPushButton* New_button(QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->resize(std::max(twips(kButton_width), button->sizeHint().width()), twips(kButton_height));
    return button;
}

} // namespace

frmGuidePage::frmGuidePage(QWidget* parent)
    : QWidget(parent),
      frmHeader(new QFrame(this)),
      lblGuide(new QLabel(frmHeader)),
      lblProduct(new QLabel(frmHeader)),
      cmdPrint(New_button(frmHeader)),
      cmdIIPAD(New_button(frmHeader)),
      lblNameProduct(new QLabel(frmHeader)),
      vsGuide(new QScrollBar(Qt::Vertical, this)),
      frmWhite(new QWidget(this))
{
    setMinimumSize(twips(5000), twips(2085));
    setFocusPolicy(Qt::StrongFocus);  // the keys scroll the sheet
    // The page is read from top to bottom: it takes the work area's height.
    resize(Fitting_size(QSize(twips(9000), Work_area() ? QWIDGETSIZE_MAX : twips(7000)), minimumSize()));

    frmHeader->setFrameShape(QFrame::StyledPanel);
    frmHeader->setFrameShadow(QFrame::Raised);
    frmHeader->setAutoFillBackground(true);
    lblGuide->setFont(Heading_font(20.25));
    lblProduct->setFont(Heading_font(12));
    lblProduct->setWordWrap(true);
    lblNameProduct->setFont(Text_font(9.75));
    lblNameProduct->setWordWrap(true);
    for (QLabel* label : {lblGuide, lblProduct, lblNameProduct}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    lblNameProduct->hide();
    cmdIIPAD->hide();
    cmdPrint->setEnabled(Page_printer != nullptr);
    connect(cmdPrint, &QPushButton::clicked, this, &frmGuidePage::cmdPrint_Click);
    connect(cmdIIPAD, &QPushButton::clicked, this, &frmGuidePage::cmdIIPAD_Click);
    setTabOrder(cmdIIPAD, cmdPrint);  // the distances are what the reader wants first

    QPalette sheet = frmWhite->palette();
    sheet.setColor(QPalette::Window, White);
    frmWhite->setPalette(sheet);
    frmWhite->setAutoFillBackground(true);
    lblText << New_block();
    lnLine << New_line();
    lnLine.first()->hide();

    vsGuide->setRange(0, 0);
    vsGuide->setSingleStep(1);
    vsGuide->hide();
    connect(vsGuide, &QScrollBar::valueChanged, this, &frmGuidePage::vsGuide_Change);
    // The sheet scrolls under the header and beside the scroll bar.
    frmHeader->raise();
    vsGuide->raise();

    Build_page();
    Page_with_keys(this, vsGuide);
}

void frmGuidePage::Insert_Text_Language()
{
    cmdPrint->setText(QStringLiteral("&Imprimir"));
    cmdPrint->setToolTip(QStringLiteral("Imprimir esta página de la guía"));
    cmdIIPAD->setText(QStringLiteral("DAIAP"));
    cmdIIPAD->setToolTip(QStringLiteral("Distancias de aislamiento inicial y acción protectora"));
}

QLabel* frmGuidePage::New_block()
{
    auto* block = new QLabel(frmWhite);
    block->setTextFormat(Qt::PlainText);
    block->setFont(Text_font(9.75));
    block->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    block->setWordWrap(true);
    block->raise();
    return block;
}

QFrame* frmGuidePage::New_line()
{
    auto* line = new QFrame(frmWhite);
    QPalette black = line->palette();
    black.setColor(QPalette::Window, QColor(0, 0, 0));
    line->setPalette(black);
    line->setAutoFillBackground(true);
    line->raise();
    return line;
}

void frmGuidePage::Build_page()
{
    Insert_Text_Language();
    frmWhite->hide();

    last_block_ = -1;
    bool first_block = true;
    bool first_line = true;
    qint16 last_line = -1;
    RecordSet* rows = Guide_page_records.get();
    if (rows)
        rows->MoveFirst();
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        ++last_block_;
        // A slot given back by a header row is filled by the next sentence.
        if (!first_block)
            lblText << New_block();
        first_block = false;

        bool known = false;
        const int code = rows->Is_null(QStringLiteral("Code")) ? -1 : rows->Field(QStringLiteral("Code")).toInt(&known);
        const QString text = rows->Field(QStringLiteral("Sentences"));
        const auto look = known ? Look_of_code(code) : std::nullopt;
        if (known && (code == 2 || code == 5)) {
            // The title and the guide number live in the header, not on the
            // sheet: the slot goes back to the next sentence.
            if (code == 2) {
                lblProduct->setText(text);
            } else {
                lblGuide->setText(text);
                setWindowTitle(text);
            }
            --last_block_;
            first_block = true;
        } else if (look) {
            QLabel* block = lblText[last_block_];
            Set_sentence(block, text);
            Set_tag(block, QString::number(code));
            if (code == 4) {
                ++last_line;
                if (first_line)
                    first_line = false;
                else
                    lnLine << New_line();
                lnLine[last_line]->show();
                lnLine[last_line]->raise();
            }
            Format_label(last_block_, look->align, look->back_color, look->fore_color, look->bold);
            block->setWordWrap(look->word_wrap);
        }
        // Any other code, or none: the block stays empty and keeps its place.
    }
    // A header row at the very end leaves a block that no sentence filled.
    for (qsizetype i = last_block_ + 1; i < lblText.size(); ++i)
        lblText[i]->hide();

    if (!Product_label.isEmpty()) {
        lblNameProduct->setText(Product_label);
        lblNameProduct->show();
        Product_label.clear();
    }
    Form_Resize();
    frmWhite->show();
    Guide_page_records.reset();
}

void frmGuidePage::Format_label(qint16 Position, qint16 Align, const QColor& back_color, const QColor& fore_color,
                                bool bold_text)
{
    QLabel* block = lblText[Position];
    const Qt::Alignment across = Align == 2 ? Qt::AlignHCenter : Align == 1 ? Qt::AlignRight : Qt::AlignLeft;
    block->setAlignment(across | Qt::AlignTop);
    QPalette colours = block->palette();
    colours.setColor(QPalette::Window, back_color);
    colours.setColor(QPalette::WindowText, fore_color);
    block->setPalette(colours);
    block->setAutoFillBackground(true);
    QFont font = block->font();
    font.setBold(bold_text);
    block->setFont(font);
}

void frmGuidePage::Show_distances(const QString& distances_lookup)
{
    Set_tag(cmdIIPAD, distances_lookup);
    cmdIIPAD->setVisible(Distances_box_opener != nullptr);
    Form_Resize();
}

void frmGuidePage::Set_print_qualifier(const QString& qualifier)
{
    Set_tag(cmdPrint, qualifier);
}

void frmGuidePage::cmdIIPAD_Click()
{
    Box_SQL = Tag(cmdIIPAD);
    if (Distances_box_opener)
        Distances_box_opener();
}

void frmGuidePage::cmdPrint_Click()
{
    if (Page_printer)
        Page_printer(this);
}

void frmGuidePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activation_hooked_)
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            // Coming back to the page re-lays it, as every resize does.
            connect(frame, &QMdiSubWindow::aboutToActivate, this, &frmGuidePage::Form_Resize);
            // The frame cannot be made smaller than the page's minimum.
            frame->setMinimumSize(minimumSize() + frame->size() - frame->contentsRect().size());
            activation_hooked_ = true;
        }
}

} // namespace vexo
