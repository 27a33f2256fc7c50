// Find dialog: its controls, grouped in frames as the user reads them: ID
// numbers, name, guide, then the order and the buttons.
#include "lookup/frmFind.h"

#include "app/Guarded.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vexo {

namespace {

constexpr double kID_box_width = 615;  // twips
constexpr double kGuide_box_width = 555;
constexpr double kName_box_width = 3600;
constexpr int kName_length = 255;       // longer than any name of the index

QLineEdit* New_box(QWidget* parent, int max_length, double width)
{
    auto* box = new QLineEdit(parent);
    box->setMaxLength(max_length);
    box->setFixedWidth(twips(width));
    return box;
}

} // namespace

void frmFind::Build_controls()
{
    frmFindID = new QGroupBox(this);
    chkID = new QCheckBox(frmFindID);
    auto* ids = new QHBoxLayout(frmFindID);
    ids->addWidget(chkID);
    for (int i = 0; i < kID_boxes; ++i) {
        txtFindID[i] = New_box(frmFindID, 4, kID_box_width);
        txtFindID[i]->installEventFilter(this);
        ids->addWidget(txtFindID[i]);
    }
    ids->addStretch();

    frmFindMat = new QGroupBox(this);
    chkMaterial = new QCheckBox(frmFindMat);
    lblFindMat = new QLabel(frmFindMat);
    txtFindMat = new QLineEdit(frmFindMat);
    txtFindMat->setMaxLength(kName_length);
    txtFindMat->setMinimumWidth(twips(kName_box_width));
    txtFindMat->installEventFilter(this);
    cboMatch = new QComboBox(frmFindMat);
    cboMatch->installEventFilter(this);
    auto* name = new QHBoxLayout(frmFindMat);
    name->addWidget(chkMaterial);
    name->addWidget(lblFindMat);
    name->addWidget(cboMatch);
    name->addWidget(txtFindMat, 1);

    frmFindGuide = new QGroupBox(this);
    chkGuide = new QCheckBox(frmFindGuide);
    lblGuide = new QLabel(frmFindGuide);
    txtFindGuide = New_box(frmFindGuide, 3, kGuide_box_width);
    txtFindGuide->installEventFilter(this);
    auto* guide = new QHBoxLayout(frmFindGuide);
    guide->addWidget(chkGuide);
    guide->addWidget(lblGuide);
    guide->addWidget(txtFindGuide);
    guide->addStretch();

    frmOrder = new QGroupBox(this);
    cboOrder = new QComboBox(frmOrder);
    cboOrder->installEventFilter(this);
    auto* order = new QHBoxLayout(frmOrder);
    order->addWidget(cboOrder);

    frmClose = new QGroupBox(this);
    cmdFindIt = new QPushButton(frmClose);
    cmdClear = new QPushButton(frmClose);
    cmdClose = new QPushButton(frmClose);
    auto* buttons = new QHBoxLayout(frmClose);
    for (QPushButton* b : {cmdFindIt, cmdClear, cmdClose})
        buttons->addWidget(b);

    lblNbrMatch = new QLabel(this);
    lblNbrMatch->setTextFormat(Qt::PlainText);
    QFont bold = lblNbrMatch->font();
    bold.setBold(true);
    lblNbrMatch->setFont(bold);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(frmOrder);
    bottom->addWidget(lblNbrMatch, 1, Qt::AlignCenter);
    bottom->addWidget(frmClose);
    auto* all = new QVBoxLayout(this);
    all->addWidget(frmFindID);
    all->addWidget(frmFindMat);
    all->addWidget(frmFindGuide);
    all->addLayout(bottom);

    connect(cmdFindIt, &QPushButton::clicked, this, Guarded([this] { cmdFindIt_Click(); }));
    connect(cmdClear, &QPushButton::clicked, this, &frmFind::cmdClear_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmFind::cmdClose_Click);
    connect(chkGuide, &QCheckBox::clicked, this, [this] {
        chkID->setChecked(false);
        chkMaterial->setChecked(false);
    });
    for (QCheckBox* box : {chkID, chkMaterial})
        connect(box, &QCheckBox::clicked, this, [this] { chkGuide->setChecked(false); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &frmFind::cmdClose_Click);
}

} // namespace vexo
