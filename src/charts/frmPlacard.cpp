// The chart window's load, layout and mouse handling, and the three chart
// routines that open it.
#include "charts/frmPlacard.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Keyboard.h"
#include "app/Row_cells.h"
#include "charts/Chart_pictures.h"
#include "charts/Svg_picture.h"
#include "guides/Guide_page.h"
#include "platform/Busy_pointer.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QMouseEvent>

#include <algorithm>

namespace vexo {

namespace {

// Chart sizes of the pictures, twips.
constexpr double kPlacard_side = 1150;
constexpr double kVehicle_width = 2760;
constexpr double kVehicle_height = 1150;
// Labels under the road and rail charts.
constexpr double kLabel_left = 120;
constexpr double kLabel_width = 6760;
constexpr double kWarning_left = 300;

bool Is_placard(int index)
{
    return index <= kPlacards_range.last;
}

double Zoom_of(int index)
{
    return Is_placard(index) ? frmPlacard::kPlacard_zoom : frmPlacard::kVehicle_zoom;
}

QSize Small_size(int index)
{
    return Is_placard(index) ? QSize(twips(kPlacard_side), twips(kPlacard_side))
                             : QSize(twips(kVehicle_width), twips(kVehicle_height));
}

// A word-wrapping label takes the height its text needs at its width.
void Fit_height(QLabel* label)
{
    label->resize(label->width(), label->heightForWidth(label->width()));
}

QLabel* New_label(QWidget* parent, const char* name, double left, double width)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setGeometry(twips(left), 0, twips(width), 0);
    label->hide();
    return label;
}

// How big the window is made when a chart routine first builds it, twips.
QSize Window_size_for(const Chart_range& range)
{
    if (range.first == kPlacards_range.first)
        return QSize(twips(9200), twips(5800));
    return QSize(twips(7200), twips(8200));
}

const QString kRoad_caution = QStringLiteral(
    "PRECAUCION: Esta Tabla solamente ilustra las siluetas de remolques en general. El personal de respuesta de "
    "emergencias deberá estar consciente de que existen muchas variaciones de remolques que no están illustrados en "
    "esta Tabla, que son utilizados para embarques de productos químicos. Las guías sugeridas aquí, son para los "
    "productos más peligrosos que pudieran ser transportados en estos tipos de remolques.");
const QString kRail_caution = QStringLiteral(
    "PRECAUCION: El personal de respuesta de emergencia deberá estar consciente de que los carros de ferrocarril "
    "tienen amplias variaciones en su construccion, aditamentos y usos. Los carrotanques pueden presión. Es escencial "
    "que los productos puedan ser identificados mediante la consulta de los documentos de embarque, el manifiesto del "
    "tren o mediante contacto con los centros despacho, antes de iniciar las acciones de respuesta de emergencia.");

// The window grows so the whole chart and its texts are seen; it never
// shrinks, so a size the user chose stays.
void Fit_window(frmPlacard* window, const QWidget* zoom)
{
    QRect used;
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child != zoom)
            used |= child->geometry();
    const QSize needed(used.right() + twips(120), used.bottom() + twips(120));
    const QSize grow = needed.expandedTo(window->size()) - window->size();
    if (grow.width() > 0 || grow.height() > 0)
        if (QMdiSubWindow* frame = Child_frame<frmPlacard>())
            frame->resize(frame->size() + grow);
}

void Show_chart(const Chart_range& range, const QString& caption)
{
    // Setting the caption loads the window when it is not loaded.
    frmPlacard* window = Find_child<frmPlacard>();
    const bool created = !window;
    if (created) {
        window = new frmPlacard;
        window->resize(Window_size_for(range));
    }
    window->setWindowTitle(caption);
    const QString name = QLatin1String(range.name);
    window->draw_pics(range.first, range.last, name);
    window->change_placards_visible(true, range.first, range.last);
    if (created) {
        Show_child(window);
    } else {
        QMdiSubWindow* frame = Child_frame<frmPlacard>();
        frame->showNormal();
        Work_area()->setActiveSubWindow(frame);
    }
    for (const Chart_range& other : {kPlacards_range, kRoad_range, kRail_range})
        if (other.first != range.first)
            window->change_placards_visible(false, other.first, other.last);
    window->Show_texts(range);
}

} // namespace

void frmPlacard::Show_texts(const Chart_range& range)
{
    imgZoom->hide();
    const bool road = range.first == kRoad_range.first;
    const bool rail = range.first == kRail_range.first;
    lblCaution->setText(road ? kRoad_caution : rail ? kRail_caution : QString());
    Fit_height(lblCaution);
    lblCaution->setVisible(road || rail);
    for (QLabel* tank : {lblTank1, lblTank2, lblTank3})
        tank->setVisible(rail);
    lblStar->setVisible(road || rail);
    lblWarning->setVisible(road || rail);
    pos_labels(range.first, range.last, QLatin1String(range.name));
    Fit_window(this, imgZoom);
}

void Load_placards()
{
    Show_chart(kPlacards_range, QStringLiteral("Placards"));
}

void Load_road_trailers()
{
    Show_chart(kRoad_range, QStringLiteral("Tabla de identificación de remolques"));
}

void Load_rail_cars()
{
    Show_chart(kRail_range, QStringLiteral("Tabla de identificación de carros tanque"));
}

frmPlacard::frmPlacard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPlacard"));
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::black, Qt::white));
    setWindowIcon(QIcon(QStringLiteral(":/icons/placard.svg")));

    const auto& pictures = Chart_pictures();
    for (int i = kFirst_picture; i <= kLast_picture; ++i) {
        if (i == kUnused_picture)
            continue;
        auto* picture = new Svg_picture(this);
        picture->setObjectName(QStringLiteral("imgSmall_%1").arg(i));
        picture->Load(Chart_picture_file(i));
        picture->resize(Small_size(i));
        Set_tag(picture, QLatin1String(pictures[i].tag));
        picture->Set_guide(QLatin1String(pictures[i].tag));
        picture->setCursor(pictures[i].tag[0] ? Qt::PointingHandCursor : Qt::ArrowCursor);
        picture->installEventFilter(this);
        if (pictures[i].tag[0])
            Press_with_keys(picture, [this, i] { imgSmall_MouseUp(i, Qt::LeftButton); });
        picture->hide();
        imgSmall[i] = picture;
    }

    // The enlarged picture floats over the chart and never takes the mouse,
    // so the button that showed it is released on the small picture.
    imgZoom = new Svg_picture(this);
    imgZoom->setObjectName(QStringLiteral("imgZoom"));
    imgZoom->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgZoom->Load(Chart_picture_file(0));
    imgZoom->hide();

    lblCaution = New_label(this, "lblCaution", kLabel_left, kLabel_width);
    lblTank1 = New_label(this, "lblTank1", kLabel_left, kLabel_width);
    lblTank2 = New_label(this, "lblTank2", kLabel_left + 360, kLabel_width - 360);
    lblTank3 = New_label(this, "lblTank3", kLabel_left + 360, kLabel_width - 360);
    lblStar = New_label(this, "lblStar", kLabel_left, kWarning_left - kLabel_left);
    lblWarning = New_label(this, "lblWarning", kWarning_left, kLabel_width - (kWarning_left - kLabel_left));
    QFont bold = lblStar->font();
    bold.setBold(true);
    lblStar->setFont(bold);

    setCursor(Qt::ArrowCursor);
    setWindowTitle(QStringLiteral("Carteles"));
    Insert_Text_Language();
}

void frmPlacard::Insert_Text_Language()
{
    const auto& pictures = Chart_pictures();
    for (int i = kFirst_picture; i <= kLast_picture; ++i)
        if (imgSmall[i])
            imgSmall[i]->setToolTip(QString::fromUtf8(pictures[i].tool_tip));
    lblTank1->setText(QStringLiteral("La información impresa a los costados o los extremos de los carrotanques, como "
                                     "se ilustran arriba, pueden utilizarse para identificar el producto "
                                     "transportado, usando para ello:"));
    lblTank2->setText(QStringLiteral("a. el nombre del producto impreso; o"));
    lblTank3->setText(QStringLiteral("b. la otra información ilustrada, especialmente el marcaje de reporte y el "
                                     "número del carro, el cual al ser proporcionado al centro de despacho, facilitará "
                                     "la identificación del producto"));
    lblStar->setText(QStringLiteral("*"));
    lblWarning->setText(QStringLiteral("Las guías recomendadas deben considerarse como el último recurso en caso de "
                                       "que el producto contenido en el remolque no pueda identificarse de otra "
                                       "manera."));
    for (QLabel* label : {lblTank1, lblTank2, lblTank3, lblStar, lblWarning})
        Fit_height(label);
}

void frmPlacard::change_placards_visible(bool visible_placard, qint16 picstart, qint16 picend)
{
    for (int i = std::max<int>(picstart, kFirst_picture); i <= std::min<int>(picend, kLast_picture); ++i)
        if (imgSmall[i])
            imgSmall[i]->setVisible(visible_placard);
}

void frmPlacard::draw_pics(qint16 first, qint16 last, const QString& name)
{
    const bool placards = name == QLatin1String("Placards");
    const double right_limit = placards ? to_twips(width()) : 7000;
    Svg_picture* start = imgSmall[first];
    start->move(twips(120), twips(120));
    double x = to_twips(start->x() + start->width()) + 120;
    double y = to_twips(start->y());
    double h = to_twips(start->height());
    double row_bottom = 0;
    for (int i = first + 1; i <= last; ++i) {
        Svg_picture* picture = imgSmall[i];
        if (!picture)
            continue;
        const double width = to_twips(picture->width());
        const double height = to_twips(picture->height());
        if (placards) {
            // A flow, left to right, wrapping at the window's width.
            if (x + width > right_limit) {
                x = 120;
                y = row_bottom + 120;
            }
            picture->move(twips(x), twips(y));
            row_bottom = std::max(row_bottom, y + height);
            x = x + width + 120;
        } else {
            // Two columns: odd pictures start a row, even ones sit beside them.
            if (i % 2 == 1) {
                picture->move(twips(120), picture->y());
                y = y + h + 225;
            } else {
                picture->move(twips(3000), picture->y());
            }
            if (height > 80)
                y = y - 25;
            picture->move(picture->x(), twips(y));
            h = height;
        }
    }
}

void frmPlacard::pos_labels(qint16 first, qint16 last, const QString& name)
{
    int tallest = 0;
    for (int i = first; i <= last; ++i)
        if (imgSmall[i])
            tallest = std::max(tallest, imgSmall[i]->height());
    const int base = tallest + imgSmall[last]->y() + twips(20);
    const int gap = twips(20);
    if (name == QLatin1String("Road")) {
        lblCaution->move(lblCaution->x(), base + gap);
        lblWarning->move(lblWarning->x(), base + lblCaution->height() + gap);
        lblStar->move(lblStar->x(), lblWarning->y());
    } else if (name == QLatin1String("Rail")) {
        lblCaution->move(lblCaution->x(), base + gap);
        lblTank1->move(lblTank1->x(), lblCaution->y() + lblCaution->height());
        lblTank2->move(lblTank2->x(), lblTank1->y() + lblTank1->height() + gap);
        lblTank3->move(lblTank3->x(), lblTank2->y() + lblTank2->height() + gap);
        lblWarning->move(lblWarning->x(), lblTank3->y() + lblTank3->height() + gap);
        lblStar->move(lblStar->x(), lblWarning->y());
    }
}

bool frmPlacard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto found = std::find(imgSmall.begin(), imgSmall.end(), watched);
    if (found == imgSmall.end())
        return QWidget::eventFilter(watched, event);
    const int index = static_cast<int>(found - imgSmall.begin());
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress)
        imgSmall_MouseDown(index, mouse->button(), mouse->position().toPoint());
    else
        imgSmall_MouseUp(index, mouse->button());
    return true;
}

void frmPlacard::imgSmall_MouseDown(int Index, Qt::MouseButton Button, QPoint position)
{
    if (Button != Qt::RightButton)
        return;
    Svg_picture* picture = imgSmall[Index];
    {
        platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
        imgZoom->Load(Chart_picture_file(Index));
        imgZoom->Set_guide(picture->guide());
        imgZoom->resize(picture->size() * Zoom_of(Index));
    }
    int left = picture->x() + position.x();
    int top = picture->y() + position.y();
    // The enlarged picture stays entirely inside the window.
    if (top + imgZoom->height() > height())
        top = height() - imgZoom->height();
    if (left + imgZoom->width() > width())
        left = width() - imgZoom->width();
    imgZoom->move(std::max(left, 0), std::max(top, 0));
    imgZoom->raise();
    imgZoom->show();
}

void frmPlacard::imgSmall_MouseUp(int Index, Qt::MouseButton Button)
{
    if (Button == Qt::RightButton) {
        imgZoom->hide();
        return;
    }
    if (Button != Qt::LeftButton)
        return;
    const QString guide = Tag(imgSmall[Index]);
    if (guide.isEmpty())
        return;
    Product_label.clear();
    Open_guide_page(guide);
}

} // namespace vexo
