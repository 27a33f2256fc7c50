// Summary report: the controls, created once, their captions and where they
// sit. Measures are twips; the name column takes the width that is left.
#include "summary/frmSummary.h"

#include "app/Guarded.h"
#include "app/Row_cells.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vexo {

namespace {

constexpr double kLeft = 120;  // twips
constexpr double kGap = 60;
constexpr double kRow_height = 315;
constexpr double kRow_spacing = 30;
constexpr double kSelect_width = 900;
constexpr double kID_width = 855;
constexpr double kGuide_width = 735;
constexpr double kMark_width = 735;
constexpr double kMinimum_width = 9480;
constexpr double kMinimum_height = 6585;

QLabel* New_heading(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

int Row_height(const QWidget* window)
{
    return std::max(twips(kRow_height), window->fontMetrics().height() + 8);
}

} // namespace

void frmSummary::Build_controls()
{
    frmData = new QFrame(this);
    frmData->setFrameShape(QFrame::StyledPanel);
    lblDelete = New_heading(frmData);
    lblIDText = New_heading(frmData);
    lblMatText = New_heading(frmData);
    lblGuideTxt = New_heading(frmData);
    lblSpecHaz = New_heading(frmData);
    const int height = Row_height(this);
    for (int i = 0; i < kRows; ++i) {
        chkDelete[i] = new QCheckBox(frmData);
        lblID[i] = New_cell(frmData);
        txtMat[i] = new QLineEdit(frmData);
        txtMat[i]->setReadOnly(true);
        cmdGuide[i] = new QPushButton(frmData);
        lblDWRM[i] = New_cell(frmData);
        lblTIH[i] = New_cell(frmData);
        chkDelete[i]->resize(chkDelete[i]->sizeHint().width(), height);
        lblID[i]->resize(twips(kID_width), height);
        cmdGuide[i]->resize(twips(kGuide_width), height);
        const std::pair<QWidget*, const char*> cells[] = {{chkDelete[i], "chkDelete"}, {lblID[i], "lblID"},
            {txtMat[i], "txtMat"}, {cmdGuide[i], "cmdGuide"}, {lblDWRM[i], "lblDWRM"}, {lblTIH[i], "lblTIH"}};
        for (const auto& [cell, name] : cells)
            cell->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        connect(chkDelete[i], &QCheckBox::toggled, this, &frmSummary::chkDelete_Click);
        connect(cmdGuide[i], &QPushButton::clicked, this, Guarded([this, i] { cmdGuide_Click(i); }));
    }
    Change_DWRM_IIPAD_width();
    vscData = new QScrollBar(Qt::Vertical, frmData);
    vscData->setSingleStep(1);
    vscData->setPageStep(kRows);
    connect(vscData, &QScrollBar::valueChanged, this, &frmSummary::vscData_Change);

    frmDelete = new QFrame(this);
    frmDelete->setFrameShape(QFrame::StyledPanel);
    cmdDeleteItem = new QPushButton(frmDelete);
    cmdClearSum = new QPushButton(frmDelete);
    cmdIDNumber = new QPushButton(frmDelete);
    cmdMaterial = new QPushButton(frmDelete);
    cmdChemWeap = new QPushButton(frmDelete);
    cmdPrintSummary = new QPushButton(frmDelete);
    cmdSavePdf = new QPushButton(frmDelete);
    auto* rows = new QVBoxLayout(frmDelete);
    rows->setContentsMargins(twips(90), twips(60), twips(90), twips(60));
    auto* buttons = new QHBoxLayout;
    rows->addLayout(buttons);
    for (QPushButton* b : {cmdDeleteItem, cmdClearSum})
        buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {cmdIDNumber, cmdMaterial, cmdChemWeap})
        buttons->addWidget(b);
    // The summary on paper, on a row of its own under the written buttons.
    auto* paper = new QHBoxLayout;
    rows->addLayout(paper);
    for (QPushButton* b : {cmdPrintSummary, cmdSavePdf})
        paper->addWidget(b);
    paper->addStretch();
    const std::pair<QWidget*, const char*> named[] = {{frmData, "frmData"}, {vscData, "vscData"},
        {frmDelete, "frmDelete"}, {cmdDeleteItem, "cmdDeleteItem"}, {cmdClearSum, "cmdClearSum"},
        {cmdIDNumber, "cmdIDNumber"}, {cmdMaterial, "cmdMaterial"}, {cmdChemWeap, "cmdChemWeap"},
        {cmdPrintSummary, "cmdPrintSummary"}, {cmdSavePdf, "cmdSavePdf"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QLatin1String(name));
    cmdDeleteItem->setEnabled(false);
    connect(cmdDeleteItem, &QPushButton::clicked, this, Guarded([this] { cmdDeleteItem_Click(); }));
    connect(cmdClearSum, &QPushButton::clicked, this, Guarded([this] { cmdClearSum_Click(); }));
    connect(cmdIDNumber, &QPushButton::clicked, this, Guarded([this] { cmdIDNumber_Click(); }));
    connect(cmdMaterial, &QPushButton::clicked, this, Guarded([this] { cmdMaterial_Click(); }));
    connect(cmdChemWeap, &QPushButton::clicked, this, Guarded([this] { cmdChemWeap_Click(); }));
    connect(cmdPrintSummary, &QPushButton::clicked, this, &frmSummary::cmdPrintSummary_Click);
    connect(cmdSavePdf, &QPushButton::clicked, this, &frmSummary::cmdSavePdf_Click);

    const int pitch = height + twips(kRow_spacing);
    // The frame holding the window keeps it at least this large.
    setMinimumSize(twips(kMinimum_width), twips(kMinimum_height));
    resize(twips(kMinimum_width),
           std::max(twips(kMinimum_height), twips(kGap) + height + kRows * pitch + twips(500)
                                                + frmDelete->sizeHint().height() + twips(2 * kGap)));
}

void frmSummary::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Resumen"));
    cmdClearSum->setText(QStringLiteral("Borrar &Todo"));
    cmdDeleteItem->setText(QStringLiteral("Borrar la &selección"));
    cmdIDNumber->setText(QStringLiteral("&Indice numérico"));
    cmdMaterial->setText(QStringLiteral("Indice a&lfabético"));
    cmdChemWeap->setText(QStringLiteral("&Armas Quimicas"));
    cmdPrintSummary->setText(QStringLiteral("Im&primir resumen"));
    cmdSavePdf->setText(QStringLiteral("&Guardar como PDF"));
    lblDelete->setText(QStringLiteral("Selección"));
    lblGuideTxt->setText(QStringLiteral("Guía"));
    lblIDText->setText(QStringLiteral("# de Id"));
    lblMatText->setText(QStringLiteral("Nombre del Material"));
    lblSpecHaz->setText(QStringLiteral("Riesgos Especiales"));
    for (int i = 0; i < kRows; ++i) {
        lblTIH[i]->setText(QStringLiteral("RIT"));
        lblTIH[i]->setToolTip(QStringLiteral("Substancia tóxica por inhalación"));
        lblDWRM[i]->setText(QStringLiteral("MPRA"));
        lblDWRM[i]->setToolTip(
            QStringLiteral("Lista de materiales peligrosos reactivos al agua que producen gases toxicos"));
    }
}

void frmSummary::Change_DWRM_IIPAD_width()
{
    const int height = Row_height(this);
    for (int i = 0; i < kRows; ++i) {
        lblDWRM[i]->resize(twips(kMark_width), height);
        lblTIH[i]->resize(twips(kMark_width), height);
    }
}

void frmSummary::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmSummary::Form_Resize()
{
    Place_rows();
}

void frmSummary::Place_rows()
{
    const int gap = twips(kGap);
    const int height = Row_height(this);
    const int pitch = height + twips(kRow_spacing);
    const int data_width = width() - 2 * twips(kLeft);
    const int heading_height = lblDelete->sizeHint().height();
    const int first_top = gap + heading_height + gap;

    const int bar_width = vscData->sizeHint().width();
    const int bar_left = data_width - gap - bar_width;
    vscData->setGeometry(bar_left, first_top, bar_width, kRows * pitch - twips(kRow_spacing));

    const int select_width = std::max(twips(kSelect_width), lblDelete->sizeHint().width());
    for (int i = 0; i < kRows; ++i) {
        const int top = first_top + i * pitch;
        chkDelete[i]->move(gap + (select_width - chkDelete[i]->width()) / 2, top);
        lblID[i]->move(gap + select_width + gap, top);
        // The marks read as on the index pages: inhalation, then water or agent.
        lblDWRM[i]->move(bar_left - gap - lblDWRM[i]->width(), top);
        lblTIH[i]->move(lblDWRM[i]->x() - gap - lblTIH[i]->width(), top);
        cmdGuide[i]->move(lblTIH[i]->x() - gap - cmdGuide[i]->width(), top);
        const int left = lblID[i]->x() + lblID[i]->width() + gap;
        txtMat[i]->setGeometry(left, top, std::max(0, cmdGuide[i]->x() - gap - left), height);
    }
    for (QLabel* heading : {lblDelete, lblIDText, lblMatText, lblGuideTxt, lblSpecHaz})
        heading->resize(heading->sizeHint());
    lblDelete->move(gap + (select_width - lblDelete->width()) / 2, gap);
    lblIDText->move(lblID[0]->x(), gap);
    lblMatText->move(txtMat[0]->x(), gap);
    lblGuideTxt->move(cmdGuide[0]->x() + (cmdGuide[0]->width() - lblGuideTxt->width()) / 2, gap);
    lblSpecHaz->move(std::min(lblTIH[0]->x(), data_width - lblSpecHaz->width() - gap), gap);

    // A short summary shrinks the frame to its rows; the buttons follow it.
    const int rows = whole_set_fits_ ? std::max(shown_rows_, 1) : kRows;
    const int data_height = first_top + rows * pitch + twips(210);
    frmData->setGeometry(twips(kLeft), gap, data_width, data_height);
    frmDelete->setGeometry(twips(kLeft), frmData->y() + frmData->height() + twips(15), data_width,
                           frmDelete->sizeHint().height());
}

} // namespace vexo
