// Index pages: the controls, created once, and where they sit. Measures are
// twips; the rows are laid out from the right so the name takes what is left.
#include "lookup/frmPages.h"

#include "app/General.h"
#include "app/Guarded.h"
#include "app/Row_cells.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QHBoxLayout>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vexo {

namespace {

constexpr double kLeft = 120;          // twips
constexpr double kGap = 60;
constexpr double kTop_of_rows = 90;    // first row inside the data frame
constexpr double kRow_height = 315;
constexpr double kRow_spacing = 45;
constexpr double kID_width = 855;
constexpr double kGuide_width = 735;
constexpr double kMark_width = 600;
constexpr double kMinimum_width = 6090;
constexpr double kStart_width = 9000;

int Row_height(const QWidget* window)
{
    return std::max(twips(kRow_height), window->fontMetrics().height() + 8);
}

} // namespace

void frmPages::Build_rows()
{
    frmControl = new QFrame(this);
    frmControl->setFrameShape(QFrame::StyledPanel);
    optYellow = new QRadioButton(frmControl);
    optBlue = new QRadioButton(frmControl);
    optChem = new QRadioButton(frmControl);
    cmdFind = new QPushButton(frmControl);
    cmdFirst = new QPushButton(frmControl);
    cmdReport = new QPushButton(frmControl);
    lblNbrMatch = new QLabel(frmControl);
    lblNbrMatch->setTextFormat(Qt::PlainText);
    lblNbrMatch->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* options = new QHBoxLayout;
    for (QWidget* w : {optYellow, optBlue, optChem})
        options->addWidget(w);
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : {cmdFind, cmdFirst, cmdReport})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(lblNbrMatch);
    auto* control = new QVBoxLayout(frmControl);
    control->setContentsMargins(twips(90), twips(45), twips(90), twips(45));
    control->addLayout(options);
    control->addLayout(buttons);

    connect(optYellow, &QRadioButton::clicked, this, Guarded([this] { optYellow_Click(); }));
    connect(optBlue, &QRadioButton::clicked, this, Guarded([this] { optBlue_Click(); }));
    connect(optChem, &QRadioButton::clicked, this, Guarded([this] { optChem_Click(); }));
    connect(cmdFind, &QPushButton::clicked, this, Guarded([this] { cmdFind_Click(); }));
    connect(cmdFirst, &QPushButton::clicked, this, Guarded([this] { cmdFirst_Click(); }));
    connect(cmdReport, &QPushButton::clicked, this, Guarded([this] { cmdReport_Click(); }));

    for (QLabel** heading : {&lblIDText, &lblGuideText, &lblMaterialText, &lblSpecHaz}) {
        *heading = new QLabel(this);
        (*heading)->setWordWrap(heading == &lblSpecHaz);
        (*heading)->setTextFormat(Qt::PlainText);
        QFont bold = (*heading)->font();
        bold.setBold(true);
        (*heading)->setFont(bold);
    }

    frmData = new QFrame(this);
    frmData->setFrameShape(QFrame::StyledPanel);
    const int height = Row_height(this);
    for (int i = 0; i < kRows; ++i) {
        lblID[i] = New_cell(frmData);
        cmdGuide[i] = new QPushButton(frmData);
        txtMaterial[i] = new QLineEdit(frmData);
        txtMaterial[i]->setReadOnly(true);
        lblReaction[i] = New_cell(frmData);
        lblDWRM[i] = New_cell(frmData);
        for (QWidget* cell : {static_cast<QWidget*>(lblID[i]), static_cast<QWidget*>(cmdGuide[i]),
                              static_cast<QWidget*>(txtMaterial[i]), static_cast<QWidget*>(lblReaction[i]),
                              static_cast<QWidget*>(lblDWRM[i])})
            cell->resize(cell->width(), height);
        lblID[i]->resize(twips(kID_width), height);
        cmdGuide[i]->resize(twips(kGuide_width), height);
        lblReaction[i]->resize(twips(kMark_width), height);
        lblDWRM[i]->resize(twips(kMark_width), height);
        connect(cmdGuide[i], &QPushButton::clicked, this, Guarded([this, i] { cmdGuide_Click(i); }));
    }
    vscData = new QScrollBar(Qt::Vertical, frmData);
    vscData->setSingleStep(1);
    vscData->setPageStep(kRows);
    connect(vscData, &QScrollBar::valueChanged, this, &frmPages::vscData_Change);

    const int pitch = height + twips(kRow_spacing);
    const int rows_bottom = twips(kTop_of_rows) + kRows * pitch;
    const int data_top = frmControl->sizeHint().height() + twips(2 * kGap) + 2 * lblIDText->sizeHint().height() + twips(kGap);
    // The frame holding the window keeps it at least this wide.
    setMinimumWidth(twips(kMinimum_width));
    resize(twips(kStart_width), data_top + rows_bottom + twips(210) + twips(kGap));
}

void frmPages::Put_yellow_order()
{
    blue_order_ = false;
    Place_rows();
}

void frmPages::Put_blue_order()
{
    blue_order_ = true;
    Place_rows();
}

void frmPages::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmPages::Form_Resize()
{
    const int gap = twips(kGap);
    frmControl->setGeometry(twips(kLeft), gap, width() - 2 * twips(kLeft), frmControl->sizeHint().height());
    Place_rows();
}

void frmPages::Place_rows()
{
    const int gap = twips(kGap);
    const int height = Row_height(this);
    const int pitch = height + twips(kRow_spacing);
    const int data_width = width() - 2 * twips(kLeft);

    const int bar_width = vscData->sizeHint().width();
    const int bar_left = data_width - gap - bar_width;
    vscData->setGeometry(bar_left, twips(kTop_of_rows), bar_width, kRows * pitch - twips(kRow_spacing));

    for (int i = 0; i < kRows; ++i) {
        const int top = twips(kTop_of_rows) + i * pitch;
        lblDWRM[i]->move(bar_left - gap - lblDWRM[i]->width(), top);
        lblReaction[i]->move(lblDWRM[i]->x() - gap - lblReaction[i]->width(), top);
        if (blue_order_) {
            lblID[i]->move(lblReaction[i]->x() - gap - lblID[i]->width(), top);
            cmdGuide[i]->move(lblID[i]->x() - gap - cmdGuide[i]->width(), top);
            txtMaterial[i]->setGeometry(twips(kLeft), top, std::max(0, cmdGuide[i]->x() - gap - twips(kLeft)), height);
        } else {
            lblID[i]->move(twips(kLeft), top);
            cmdGuide[i]->move(lblID[i]->x() + lblID[i]->width() + gap, top);
            const int left = cmdGuide[i]->x() + cmdGuide[i]->width() + gap;
            txtMaterial[i]->setGeometry(left, top, std::max(0, lblReaction[i]->x() - gap - left), height);
        }
    }
    // The hazard heading wraps over its two narrow columns.
    const int hazard_width = data_width - lblReaction[0]->x();
    lblSpecHaz->resize(hazard_width, lblSpecHaz->heightForWidth(hazard_width));
    const int heading_height = std::max(lblIDText->sizeHint().height(), lblSpecHaz->height());
    const int data_top = frmControl->geometry().bottom() + 2 * gap + heading_height + gap;
    const int last = std::max(last_filled_, 0);
    frmData->setGeometry(twips(kLeft), data_top, data_width,
                         txtMaterial[last]->y() + txtMaterial[last]->height() + twips(210));
    Place_headings();
}

void frmPages::Place_headings()
{
    // Headings stand on the rows: their bottoms line up just above the frame.
    const int bottom = frmData->y() - twips(kGap);
    const int left = frmData->x();
    for (QLabel* heading : {lblIDText, lblGuideText, lblMaterialText})
        heading->resize(heading->sizeHint());
    const int top = bottom - lblIDText->height();
    lblIDText->move(left + lblID[0]->x(), top);
    lblMaterialText->move(left + txtMaterial[0]->x(), top);
    lblGuideText->move(left + cmdGuide[0]->x() + (cmdGuide[0]->width() - lblGuideText->width()) / 2, top);
    lblSpecHaz->move(left + lblReaction[0]->x(), bottom - lblSpecHaz->height());
}

} // namespace vexo
