// The distances box: one material's row under the table's headings, closed
// as soon as the user turns to another window.
#include "distances/frmGreenBox.h"

#include "app/General.h"
#include "distances/Distances.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWindow>

namespace vexo {

namespace {

constexpr double kMargin = 120;        // twips
constexpr double kBox_width = 8445;    // width chosen at load
constexpr double kNarrowest = 9000;    // narrower is widened back

} // namespace

frmGreenBox::frmGreenBox(QWidget* parent)
    : QWidget(parent),
      frmHeader(new QFrame(this)),
      frmTitle(new Distances_heading(frmHeader, this)),
      frmData(new QWidget(this))
{
    QPalette white = frmData->palette();
    white.setColor(QPalette::Window, White);
    frmData->setPalette(white);
    frmData->setAutoFillBackground(true);
    panels.Create(frmData);
    row.Create(frmData, false, 0);
    setObjectName(QStringLiteral("frmGreenBox"));
    frmData->setObjectName(QStringLiteral("frmData"));
    // A long name with its spill condition wraps; the row grows to hold it.
    row_height_ = Distance_row_height(font());

    // The load.
    Insert_Data_Language();
    frmData->hide();
    try {
        records_ = Main_database->OpenRecordset(Box_SQL);
    } catch (const Db_error&) {
        records_.reset();  // no lookup to run: the headings alone
    }
    if (Found()) {
        records_->MoveFirst();
        row.Fill_name(*records_, 0);
        insert_data_in_field(0);
        row.Show_values(true);
    } else {
        row.Show_values(false);
    }
    resize(twips(kBox_width), 0);
    Form_Resize();
    resize(std::max(width(), minimumWidth()), height());
    frmData->show();
}

void frmGreenBox::Insert_Data_Language()
{
    setWindowTitle(QStringLiteral("Tabla de distancias de aislamiento inicial y acción protectora"));
    frmTitle->Insert_Text_Language();
}

void frmGreenBox::insert_data_in_field(int Index)
{
    Q_UNUSED(Index);  // the box has row 0 only
    row.Fill_values(*records_);
}

void frmGreenBox::change_field_position(int Index, int top_position)
{
    Q_UNUSED(Index);
    const int name_height = row.lblMat->heightForWidth(grid_.name_width) + twips(60);
    row.Place(grid_, top_position, std::max(row_height_, name_height));
}

void frmGreenBox::Place_small_spill()
{
    frmTitle->Place_small_spill(grid_);
}

void frmGreenBox::Place_large_spill()
{
    frmTitle->Place_large_spill(grid_);
}

void frmGreenBox::Correct_frmData()
{
    panels.Place(grid_, frmData->height());
}

void frmGreenBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

int Distances_box_width()
{
    return std::max(twips(kNarrowest), Distance_grid::Minimum_width(QApplication::font()) + 2 * twips(kMargin));
}

void frmGreenBox::Form_Resize()
{
    const int margin = twips(kMargin);
    // Narrower than the columns need, the box is widened back; its frame
    // follows these limits.
    const int narrowest = Distances_box_width();
    setMinimumWidth(narrowest);
    const int data_width = std::max(narrowest, width()) - 2 * margin;
    grid_ = Distance_grid::For_width(data_width, font());
    frmTitle->Place(grid_);
    frmTitle->setGeometry(margin, twips(60), data_width, frmTitle->height());
    frmHeader->setGeometry(0, 0, width(), frmTitle->y() + frmTitle->height());
    change_field_position(0, 0);
    frmData->setGeometry(margin, frmHeader->height(), data_width, row.lblMat->height());
    Correct_frmData();
    // Exactly as tall as the row it shows.
    setFixedHeight(frmData->y() + frmData->height() + twips(kMargin));
}

void frmGreenBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (activation_hooked_)
        return;
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame || !frame->mdiArea())
        return;
    activation_hooked_ = true;
    connect(frame->mdiArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* activated) { Other_window_activated(activated); });
    // Windows of their own (the find dialog, a message box) are not children
    // of the work area: the application says when one of them is activated.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* activated) {
        if (activated && activated != window()->windowHandle())
            Close_box(true);
    });
}

void frmGreenBox::Opened_over(QMdiSubWindow* opener)
{
    opener_ = opener;
    if (opener)
        connect(opener, &QObject::destroyed, this, [this] { Close_box(false); });
}

void frmGreenBox::Other_window_activated(QWidget* frame)
{
    // The box is a glance at the distances: it goes when the user turns to
    // another window, the main window's own controls included. The program
    // merely losing the focus to another one keeps it.
    if (frame == parentWidget())
        return;
    if (frame)
        Close_box(false);
    else if (QGuiApplication::focusWindow())
        Close_box(true);
}

void frmGreenBox::Close_box(bool opener_to_front)
{
    if (closing_)
        return;
    closing_ = true;
    const QPointer<QMdiSubWindow> opener = opener_;
    parentWidget()->close();
    // The work area would otherwise bring whichever window comes next to the
    // front, over the page the user was reading; unless the page has gone
    // with the others, as when every window is closed.
    if (opener_to_front && opener && opener->mdiArea() && opener->mdiArea()->subWindowList().contains(opener))
        opener->mdiArea()->setActiveSubWindow(opener);
}

} // namespace vexo
