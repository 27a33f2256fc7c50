// The distances table: its load, its pages and banners, the diagrams that pop
// up under the action headings, and its layout.
#include "distances/frmGreen.h"

#include "app/General.h"
#include "app/Keyboard.h"
#include "distances/Distances.h"
#include "platform/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace vexo {

namespace {

constexpr double kMargin = 120;  // twips: frame left and gaps

QLabel* New_picture(QWidget* parent)
{
    auto* picture = new QLabel(parent);
    picture->setFrameShape(QFrame::Box);
    picture->hide();
    return picture;
}

// The diagrams are drawn the first time they are asked for, not at load.
void Draw_once(QLabel* picture, const QString& diagram, double width)
{
    if (!picture->pixmap().isNull())
        return;
    picture->setPixmap(Diagram(diagram, twips(width)));
    picture->adjustSize();
}

} // namespace

frmGreen::frmGreen(QWidget* parent)
    : QWidget(parent),
      frmHeader(new QFrame(this)),
      lblTitleIIPAD(new QLabel(frmHeader)),
      frmTitle(new Distances_heading(frmHeader, this)),
      frmData(new QWidget(this)),
      vscData(new QScrollBar(Qt::Vertical, this)),
      picTooltip3(New_picture(this)),
      picToolTip4(New_picture(this))
{
    setFocusPolicy(Qt::StrongFocus);  // the keys page through the table
    setObjectName(QStringLiteral("frmGreen"));
    frmData->setObjectName(QStringLiteral("frmData"));
    vscData->setObjectName(QStringLiteral("vscData"));
    picTooltip3->setObjectName(QStringLiteral("picToolTip3"));
    picToolTip4->setObjectName(QStringLiteral("picToolTip4"));
    QFont title = lblTitleIIPAD->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.25);
    lblTitleIIPAD->setFont(title);
    lblTitleIIPAD->setAlignment(Qt::AlignCenter);
    QPalette white = frmData->palette();
    white.setColor(QPalette::Window, White);
    frmData->setPalette(white);
    frmData->setAutoFillBackground(true);
    panels.Create(frmData);
    row_height_ = Distance_row_height(font());
    // The diagrams pop up while an action heading is held.
    for (QLabel* heading : {frmTitle->lblSIsolate, frmTitle->lblLIsolate, frmTitle->lblSProtect,
                            frmTitle->lblLProtect}) {
        heading->installEventFilter(this);
        heading->setCursor(Qt::WhatsThisCursor);
    }

    for (int index = 0; index < kRows; ++index) {
        load_new_data(index);
        Press_with_keys(rows[static_cast<size_t>(index)].lblDanger, [this, index] { lblDanger_Click(index); });
    }
    Page_with_keys(this, vscData);

    // The load.
    Insert_Text_Language();
    frmData->hide();
    Green_records = Main_database->OpenRecordset(Green_SQL);
    Green_records->MoveFirst();
    first_bookmark_ = Green_records->bookmark();
    last_row_ = kRows - 1;
    vscData->setRange(0, std::max(0, Green_records->RecordCount() - kRows));
    vscData->setPageStep(kRows);
    vscData->setSingleStep(1);
    connect(vscData, &QScrollBar::valueChanged, this, &frmGreen::vscData_Change);
    Put_green_data();

    const int width = Distance_grid::Preferred_width(font()) + 2 * twips(kMargin)
                    + vscData->sizeHint().width();
    resize(width, 0);
    Form_Resize();
    resize(width, frmData->y() + frmData->height() + twips(kMargin));
    frmData->show();
}

void frmGreen::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Tabla de distancias de aislamiento inicial y acción protectora"));
    lblTitleIIPAD->setText(QStringLiteral("TABLA DE DISTANCIAS DE AISLAMIENTO INICIAL Y ACCION PROTECTORA"));
    frmTitle->Insert_Text_Language();
    for (Distance_row& row : rows) {
        row.lblDanger->setText(
                QStringLiteral("PELIGROSO: Cuando se derrama en el agua, vea la lista al final de esta tabla"));
        row.lblDanger->setToolTip(QStringLiteral("Lista de materiales peligrosos reactivos al agua"));
    }
}

void frmGreen::load_new_data(int Index)
{
    Distance_row& row = rows[static_cast<size_t>(Index)];
    if (row.lblID)
        return;
    row.Create(frmData, true, Index);
    row.lblDanger->installEventFilter(this);
}

void frmGreen::insert_data_in_field(int Index)
{
    rows[static_cast<size_t>(Index)].Fill_values(*Green_records);
}

void frmGreen::change_visible(int Index, bool Visible_value)
{
    rows[static_cast<size_t>(Index)].Show_values(Visible_value);
}

void frmGreen::change_reaction(bool flag, int Index)
{
    Distance_row& row = rows[static_cast<size_t>(Index)];
    row.Show_values(flag);
    row.lblDanger->setVisible(!flag);
}

void frmGreen::change_field_position(int Index, int top_position)
{
    Distance_row& row = rows[static_cast<size_t>(Index)];
    row.Place(grid_, top_position, row_height_);
    row.Fit_name(2);
}

void frmGreen::Put_green_data()
{
    last_row_ = kRows - 1;
    const int count = Green_records->RecordCount();
    vscData->setVisible(count > kRows);
    if (count <= kRows)
        last_row_ = count - 1;
    for (int index = 0; index <= last_row_ && !Green_records->Eof(); ++index) {
        Distance_row& row = rows[static_cast<size_t>(index)];
        row.Fill_name(*Green_records, 2);
        row.lblID->show();
        row.lblMat->show();
        // A row without distances of its own sends the reader to the
        // water-reactive list.
        if (!Green_records->Field(QStringLiteral("SP_Isolate_meters")).isEmpty()) {
            insert_data_in_field(index);
            change_reaction(true, index);
        } else {
            change_reaction(false, index);
        }
        Green_records->MoveNext();
    }
    // Rows past the end of a short table stay empty.
    for (int index = last_row_ + 1; index < kRows; ++index) {
        change_visible(index, false);
        Distance_row& row = rows[static_cast<size_t>(index)];
        row.lblID->hide();
        row.lblMat->hide();
        row.lblDanger->hide();
    }
}

void frmGreen::vscData_Change(int value)
{
    // The page is refilled out of sight, so no half-filled page is ever seen.
    frmData->setUpdatesEnabled(false);
    Green_records->Move(value, first_bookmark_);
    Put_green_data();
    frmData->setUpdatesEnabled(true);
}

void frmGreen::lblDanger_Click(int Index)
{
    Open_water_material(rows[static_cast<size_t>(Index)].lblID->text());
}

bool frmGreen::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    for (int index = 0; index < kRows; ++index)
        if (watched == rows[static_cast<size_t>(index)].lblDanger) {
            if (release && mouse->button() == Qt::LeftButton
                && rows[static_cast<size_t>(index)].lblDanger->rect().contains(mouse->position().toPoint()))
                lblDanger_Click(index);
            return QWidget::eventFilter(watched, event);
        }
    auto* heading = qobject_cast<QLabel*>(watched);
    if (!heading)
        return QWidget::eventFilter(watched, event);
    const bool isolate = heading == frmTitle->lblSIsolate || heading == frmTitle->lblLIsolate;
    QLabel* picture = isolate ? picTooltip3 : picToolTip4;
    if (press && mouse->button() == Qt::LeftButton) {
        if (isolate)
            Draw_once(picture, QStringLiteral("isolation"), 4200);
        else
            Draw_once(picture, QStringLiteral("protection"), 5600);
        Pop_up(picture, heading, static_cast<int>(mouse->position().x()), frmData, 2 * heading->height());
    } else if (release) {
        picture->hide();
    }
    return QWidget::eventFilter(watched, event);
}

void frmGreen::wheelEvent(QWheelEvent* event)
{
    Page_by_wheel(vscData, event);
    event->accept();
}

void frmGreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmGreen::Place_small_spill()
{
    frmTitle->Place_small_spill(grid_);
}

void frmGreen::Place_large_spill()
{
    frmTitle->Place_large_spill(grid_);
}

void frmGreen::Correct_frmData()
{
    panels.Place(grid_, frmData->height());
}

void frmGreen::Form_Resize()
{
    const int margin = twips(kMargin);
    const int bar = vscData->sizeHint().width();
    const int data_width = std::max(Distance_grid::Minimum_width(font()), width() - 2 * margin - bar);
    grid_ = Distance_grid::For_width(data_width, font());

    lblTitleIIPAD->setGeometry(margin, twips(60), std::max(0, width() - 2 * margin),
                               lblTitleIIPAD->sizeHint().height());
    frmTitle->Place(grid_);
    frmTitle->setGeometry(margin, lblTitleIIPAD->y() + lblTitleIIPAD->height() + twips(60), data_width,
                          frmTitle->height());
    frmHeader->setGeometry(0, 0, width(), frmTitle->y() + frmTitle->height());

    frmData->setGeometry(margin, frmHeader->height(), data_width, kRows * row_height_);
    for (int index = 0; index < kRows; ++index)
        change_field_position(index, index * row_height_);
    Correct_frmData();
    vscData->setGeometry(margin + data_width, frmData->y(), bar, frmData->height());
}

} // namespace vexo
