// The headings, row cells and panels of the distances table and box, placed
// on one column grid.
#include "distances/Distance_columns.h"

#include "data/RecordSet.h"
#include "distances/Distances.h"
#include "distances/Large_spills.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vexo {

namespace {

const QColor kHeading_gray(212, 212, 212);
const QColor kPanel_gray(236, 236, 236);
const QColor kTip_back(255, 255, 225);
const QColor kBanner_back(190, 0, 0);
const QColor kBanner_text(255, 255, 255);

int Gap()
{
    return twips(60);
}

int Value_width(const QFont& font)
{
    const QFontMetrics metrics(font);
    return std::max(twips(780), metrics.horizontalAdvance(QStringLiteral("(Millas)")) + twips(120));
}

int Id_width(const QFont& font)
{
    const QFontMetrics metrics(font);
    return std::max(twips(660), metrics.horizontalAdvance(QStringLiteral("# de Id")) + twips(120));
}

int Minimum_name()
{
    return twips(2400);
}

QLabel* New_heading(QWidget* parent, bool bold, Qt::Alignment align = Qt::AlignCenter)
{
    return New_text_label(parent, align, bold);
}

QFrame* New_line(QWidget* parent)
{
    auto* line = new QFrame(parent);
    Paint_background(line, QColor(0, 0, 0));
    return line;
}

QLabel* New_tip(QWidget* parent)
{
    auto* tip = new QLabel(parent);
    tip->setTextFormat(Qt::PlainText);
    tip->setWordWrap(true);
    tip->setFrameShape(QFrame::Box);
    tip->setMargin(twips(60));
    Paint_background(tip, kTip_back);
    tip->hide();
    return tip;
}

bool Left_press(QEvent* event)
{
    return event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

const QColor& Heading_gray()
{
    return kHeading_gray;
}

const QColor& Panel_gray()
{
    return kPanel_gray;
}

void Page_by_wheel(QScrollBar* bar, const QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && bar->isVisible())
        bar->setValue(bar->value() - 3 * notches);
}

const std::array<QString, Value_count>& Value_fields()
{
    static const std::array<QString, Value_count> fields{
        QStringLiteral("SP_Isolate_meters"), QStringLiteral("SP_Isolate_feets"),
        QStringLiteral("SP_Protect_Day_km"), QStringLiteral("SP_Protect_Day_miles"),
        QStringLiteral("SP_Protect_Night_km"), QStringLiteral("SP_Protect_Night_miles"),
        QStringLiteral("LP_Isolate_meters"), QStringLiteral("LP_Isolate_feets"),
        QStringLiteral("LP_Protect_Day_km"), QStringLiteral("LP_Protect_Day_miles"),
        QStringLiteral("LP_Protect_Night_km"), QStringLiteral("LP_Protect_Night_miles"),
    };
    return fields;
}

QString Cell_text(int column, const QString& value)
{
    if (column % 2 == 0)
        return value;
    return u'(' + value + u')';
}

QString Group_note(const std::array<QString, Value_count>& values, bool large)
{
    const int first = large ? LIM : SIM;
    const QString& text = values[first];
    // Figures start with a digit ("30", "0.2", "11.0+"); words do not.
    if (text.isEmpty() || text.front().isDigit())
        return {};
    for (int column = first; column < first + 6; ++column)
        if (values[column] != text)
            return {};
    return text;
}

Distance_grid Distance_grid::For_width(int width, const QFont& font)
{
    Distance_grid grid;
    grid.value_width = Value_width(font);
    grid.id_left = Gap();
    grid.id_width = Id_width(font);
    grid.name_left = grid.id_left + grid.id_width + Gap();
    grid.name_width = std::max(Minimum_name(), width - grid.name_left - 2 * Gap() - Value_count * grid.value_width);
    const int first = grid.name_left + grid.name_width + Gap();
    for (int column = 0; column < Value_count; ++column)
        grid.left[column] = first + column * grid.value_width;
    grid.right = first + Value_count * grid.value_width;
    return grid;
}

int Distance_grid::Minimum_width(const QFont& font)
{
    return For_width(0, font).right + Gap();
}

int Distance_grid::Preferred_width(const QFont& font)
{
    return Minimum_width(font) + twips(1500);
}

int Distance_row_height(const QFont& font)
{
    return 2 * QFontMetrics(font).lineSpacing() + twips(60);
}

// --- headings ---------------------------------------------------------------

Distances_heading::Distances_heading(QWidget* parent, QWidget* popup_parent)
    : QFrame(parent),
      lblIDText(New_heading(this, true, Qt::AlignLeft | Qt::AlignBottom)),
      lblMatText(New_heading(this, true, Qt::AlignLeft | Qt::AlignBottom)),
      lblSmallGray(New_heading(this, false)),
      lblLargeGray(New_heading(this, false)),
      lblSmall(New_heading(this, true)),
      lblLarge(New_heading(this, true)),
      lblSIsolate(New_heading(this, true)),
      lblSProtect(New_heading(this, true)),
      lblLIsolate(New_heading(this, true)),
      lblLProtect(New_heading(this, true)),
      lblSPDay(New_heading(this, true)),
      lblSPNight(New_heading(this, true)),
      lblLPDay(New_heading(this, true)),
      lblLPNight(New_heading(this, true)),
      lneSProtect(New_line(this)),
      lneLProtect(New_line(this)),
      lblToolTip1(New_tip(popup_parent)),
      lblToolTip2(New_tip(popup_parent))
{
    Paint_background(lblSmallGray, kHeading_gray);
    Paint_background(lblLargeGray, kHeading_gray);
    lblSmallGray->lower();
    lblLargeGray->lower();
    for (QLabel*& label : unit)
        label = New_heading(this, false);
    for (QFrame*& line : lines)
        line = New_line(this);
    // The group headings are pressed to read what a small and a large spill are.
    for (QLabel* label : {lblSmall, lblLarge}) {
        label->installEventFilter(this);
        label->setCursor(Qt::WhatsThisCursor);
    }
    line_height_ = QFontMetrics(lblSmall->font()).lineSpacing();
    setObjectName(QStringLiteral("frmTitle"));
    const std::pair<QObject*, const char*> names[] = {
        {lblIDText, "lblIDText"}, {lblMatText, "lblMatText"}, {lblSmall, "lblSmall"}, {lblLarge, "lblLarge"},
        {lblSIsolate, "lblSIsolate"}, {lblSProtect, "lblSProtect"}, {lblLIsolate, "lblLIsolate"},
        {lblLProtect, "lblLProtect"}, {lblSPDay, "lblSPDay"}, {lblSPNight, "lblSPNight"}, {lblLPDay, "lblLPDay"},
        {lblLPNight, "lblLPNight"}, {lblToolTip1, "lblToolTip1"}, {lblToolTip2, "lblToolTip2"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(QLatin1String(name));
    for (int column = 0; column < Value_count; ++column)
        unit[column]->setObjectName(QStringLiteral("lblUnit_%1").arg(column));
}

void Distances_heading::Insert_Text_Language()
{
    lblSmall->setText(QStringLiteral("DERRAMES PEQUEÑOS"));
    lblLarge->setText(QStringLiteral("DERRAMES GRANDES"));
    lblToolTip1->setText(QStringLiteral(
        "Un envase con una fuga de 200 litros (55 galones U.S.) o menos (como un tambor, un bidón o una caja con "
        "envases internos), envases más grandes con fugas de 200 litros (55 galones U.S.) o menos, y un gas "
        "comprimido fugandose de un "));
    lblToolTip2->setText(QStringLiteral(
        "Muchos envases pequeños con fugas o una fuga de un envase mayor a 200 litros (55 galones U.S.) (como puede "
        "ser un auto tanque, tanque portátil o un cilindro de una tonelada de gas comprimido)."));
    for (QLabel* label : {lblSIsolate, lblLIsolate})
        label->setText(QStringLiteral("Primero AISLAR a la Redonda"));
    for (QLabel* label : {lblSProtect, lblLProtect})
        label->setText(QStringLiteral("Luego, PROTEJA a las Personas en la Dirección del Viento Durante"));
    for (QLabel* label : {lblSPDay, lblLPDay})
        label->setText(QStringLiteral("DIA"));
    for (QLabel* label : {lblSPNight, lblLPNight})
        label->setText(QStringLiteral("NOCHE"));
    lblIDText->setText(QStringLiteral("# de Id"));
    lblMatText->setText(QStringLiteral("Nombre del Material"));
    for (int column : {SIM, LIM})
        unit[column]->setText(QStringLiteral("Metros"));
    for (int column : {SIF, LIF})
        unit[column]->setText(QStringLiteral("(Pies)"));
    for (int column : {SPDK, SPNK, LPDK, LPNK})
        unit[column]->setText(QStringLiteral("Kms."));
    for (int column : {SPDM, SPNM, LPDM, LPNM})
        unit[column]->setText(QStringLiteral("(Millas)"));
}

void Distances_heading::Place(const Distance_grid& grid)
{
    Place_small_spill(grid);
    Place_large_spill(grid);
    const QLabel* units = unit[SIM];
    for (QLabel* label : {lblIDText, lblMatText})
        label->setGeometry(label == lblIDText ? grid.id_left : grid.name_left, units->y(),
                           label == lblIDText ? grid.id_width : grid.name_width, units->height());
    const int height = units->y() + units->height() + twips(30);
    setFixedHeight(height);
    for (QLabel* gray : {lblSmallGray, lblLargeGray}) {
        const bool large = gray == lblLargeGray;
        gray->setGeometry(grid.group_left(large), 0, grid.group_right(large) - grid.group_left(large), height);
    }
    const std::array<int, 5> at{grid.group_left(false), grid.left[SPDK], grid.group_left(true), grid.left[LPDK],
                                grid.right};
    for (size_t k = 0; k < lines.size(); ++k) {
        // The lines inside a group start under the group heading.
        const int top = (k == 1 || k == 3) ? lblSIsolate->y() : 0;
        lines[k]->setGeometry(at[k], top, 1, height - top);
    }
    for (QLabel* tip : {lblToolTip1, lblToolTip2}) {
        tip->setFixedWidth(std::max(twips(3600), grid.group_right(false) - grid.group_left(false)));
        tip->setFixedHeight(tip->heightForWidth(tip->width()));
    }
}

void Distances_heading::Place_small_spill(const Distance_grid& grid)
{
    Place_group(grid, false);
}

void Distances_heading::Place_large_spill(const Distance_grid& grid)
{
    Place_group(grid, true);
}

void Distances_heading::Place_group(const Distance_grid& grid, bool large)
{
    const int base = large ? LIM : SIM;
    QLabel* group = large ? lblLarge : lblSmall;
    QLabel* isolate = large ? lblLIsolate : lblSIsolate;
    QLabel* protect = large ? lblLProtect : lblSProtect;
    QLabel* day = large ? lblLPDay : lblSPDay;
    QLabel* night = large ? lblLPNight : lblSPNight;
    QFrame* under_protect = large ? lneLProtect : lneSProtect;
    const int vw = grid.value_width;

    const int group_height = line_height_ + twips(60);
    const int protect_height = std::max(2 * line_height_, protect->heightForWidth(4 * vw)) + twips(60);
    const int period_height = line_height_ + twips(30);
    const int unit_height = line_height_ + twips(60);

    const int top = twips(60);
    group->setGeometry(grid.left[base], top, 6 * vw, group_height);
    const int actions = top + group_height;
    isolate->setGeometry(grid.left[base], actions, 2 * vw, protect_height + period_height);
    protect->setGeometry(grid.left[base + 2], actions, 4 * vw, protect_height);
    under_protect->setGeometry(grid.left[base + 2], actions + protect_height, 4 * vw, 1);
    const int periods = actions + protect_height;
    day->setGeometry(grid.left[base + 2], periods, 2 * vw, period_height);
    night->setGeometry(grid.left[base + 4], periods, 2 * vw, period_height);
    for (int column = base; column < base + 6; ++column)
        unit[column]->setGeometry(grid.left[column], periods + period_height, vw, unit_height);
}

bool Distances_heading::eventFilter(QObject* watched, QEvent* event)
{
    QLabel* tip = watched == lblSmall ? lblToolTip1 : watched == lblLarge ? lblToolTip2 : nullptr;
    if (!tip)
        return QFrame::eventFilter(watched, event);
    if (Left_press(event)) {
        // Both descriptions stand under the small-spill heading's row.
        const int top = 2 * (lblSmall->y() + lblSmall->height());
        Pop_up(tip, lblSmall, static_cast<int>(static_cast<QMouseEvent*>(event)->position().x()), this, top);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        tip->hide();
    }
    return QFrame::eventFilter(watched, event);
}

void Pop_up(QWidget* popup, const QWidget* anchor, int pointer_x, const QWidget* frame, int top)
{
    QWidget* host = popup->parentWidget();
    const QPoint anchor_at = anchor->mapTo(host, QPoint(0, 0));
    const QRect box(frame->mapTo(host, QPoint(0, 0)), frame->size());
    int x = anchor_at.x() + pointer_x / 2;
    int y = box.top() + top;
    if (y + popup->height() > box.bottom() + 1)
        y = box.bottom() + 1 - popup->height();
    if (x + popup->width() > box.right() + 1)
        x = box.right() + 1 - popup->width();
    // A pop-up taller or wider than its frame still starts inside the window.
    popup->move(std::max(x, 0), std::max(y, 0));
    popup->raise();
    popup->show();
}

// --- rows ---------------------------------------------------------------------

void Distance_row::Create(QWidget* parent, bool with_banner, int index)
{
    lblID = New_heading(parent, false, Qt::AlignLeft | Qt::AlignVCenter);
    lblID->setWordWrap(false);
    lblMat = New_heading(parent, false, Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel*& cell : values) {
        cell = New_heading(parent, false);
        cell->setWordWrap(false);
    }
    for (QLabel*& note : notes) {
        note = New_heading(parent, true);
        note->hide();
    }
    if (Large_spills_present()) {
        cmdTable3 = new QPushButton(Table3_reference(), parent);
        cmdTable3->setFlat(true);
        cmdTable3->setCursor(Qt::PointingHandCursor);
        QFont link = cmdTable3->font();
        link.setBold(true);
        link.setUnderline(true);
        cmdTable3->setFont(link);
        QPalette palette = cmdTable3->palette();
        palette.setColor(QPalette::ButtonText, QColor(0, 0, 192));
        cmdTable3->setPalette(palette);
        cmdTable3->setToolTip(QStringLiteral("Abrir la Tabla 3 en este gas"));
        Paint_background(cmdTable3, kPanel_gray);  // over the column lines of its group, which it spans
        cmdTable3->hide();
        QObject::connect(cmdTable3, &QPushButton::clicked, cmdTable3, [this] { Open_table3(lblID->text()); });
    }
    if (with_banner) {
        lblDanger = New_heading(parent, true);
        Paint_background(lblDanger, kBanner_back);
        QPalette palette = lblDanger->palette();
        palette.setColor(QPalette::WindowText, kBanner_text);
        lblDanger->setPalette(palette);
        lblDanger->setCursor(Qt::PointingHandCursor);
        lblDanger->hide();
        lblDanger->raise();
    }
    Name(index);
}

void Distance_row::Name(int index)
{
    const auto name = [index](QObject* widget, const char* what, int column = -1) {
        if (widget)
            widget->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(what)).arg(index)
                                  + (column < 0 ? QString() : QStringLiteral("_%1").arg(column)));
    };
    name(lblID, "lblID");
    name(lblMat, "lblMat");
    for (int column = 0; column < Value_count; ++column)
        name(values[column], "lblValue", column);
    for (int group = 0; group < 2; ++group)
        name(notes[group], "lblNote", group);
    name(lblDanger, "lblDanger");
    name(cmdTable3, "cmdTable3");
}

void Distance_row::Fill_name(const RecordSet& records, int lines)
{
    lblID->setText(records.Field(QStringLiteral("ID")));
    lblMat->setToolTip(records.Field(QStringLiteral("Name_of_material")));
    Fit_name(lines);
}

void Distance_row::Fit_name(int lines)
{
    // A name too long for its lines loses words from its middle, never its
    // start nor the spill condition at its end; the tool tip keeps it whole.
    const QString name = lblMat->toolTip();
    const int room = lines * lblMat->width() * 4 / 5;
    const QFontMetrics metrics = lblMat->fontMetrics();
    QString shown = name;
    if (lines > 0 && room > 0 && metrics.horizontalAdvance(name) > room) {
        const qsizetype open = name.endsWith(u')') ? name.lastIndexOf(QStringLiteral(" (")) : -1;
        const QString tail = open > 0 ? name.mid(open) : QString();
        shown = metrics.elidedText(name.left(name.size() - tail.size()), Qt::ElideRight,
                                   std::max(0, room - metrics.horizontalAdvance(tail)))
              + tail;
    }
    if (lblMat->text() != shown)
        lblMat->setText(shown);
}

void Distance_row::Fill_values(const RecordSet& records)
{
    std::array<QString, Value_count> read;
    for (int column = 0; column < Value_count; ++column)
        read[column] = records.Field(Value_fields()[column]);
    for (int column = 0; column < Value_count; ++column)
        values[column]->setText(Cell_text(column, read[column]));
    for (int group = 0; group < 2; ++group)
        notes[group]->setText(Group_note(read, group == 1));
}

void Distance_row::Show_values(bool visible)
{
    const bool linked = cmdTable3 && notes[1]->text() == Table3_reference();
    if (cmdTable3)
        cmdTable3->setVisible(visible && linked);
    for (int group = 0; group < 2; ++group) {
        const bool noted = !notes[group]->text().isEmpty();
        notes[group]->setVisible(visible && noted && !(group == 1 && linked));
        for (int column = group * 6; column < group * 6 + 6; ++column)
            values[column]->setVisible(visible && !noted);
    }
}

void Distance_row::Place(const Distance_grid& grid, int top, int height)
{
    lblID->setGeometry(grid.id_left, top, grid.id_width, height);
    lblMat->setGeometry(grid.name_left, top, grid.name_width, height);
    for (int column = 0; column < Value_count; ++column)
        values[column]->setGeometry(grid.left[column], top, grid.value_width, height);
    for (int group = 0; group < 2; ++group)
        notes[group]->setGeometry(grid.group_left(group == 1), top,
                                  grid.group_right(group == 1) - grid.group_left(group == 1), height);
    if (cmdTable3)
        cmdTable3->setGeometry(notes[1]->geometry().adjusted(1, 0, 0, 0));  // the group's own line stays
    if (lblDanger) {
        const int left = grid.group_left(false) + twips(10);
        lblDanger->setGeometry(left, top, grid.right - left, height);
    }
}

// --- panels ---------------------------------------------------------------------

void Data_panels::Create(QWidget* parent)
{
    lblGrayPanel1 = new QLabel(parent);
    lblGrayPanel2 = new QLabel(parent);
    for (QLabel* panel : {lblGrayPanel1, lblGrayPanel2}) {
        Paint_background(panel, kPanel_gray);
        panel->lower();
    }
    for (QFrame*& line : lines)
        line = New_line(parent);
}

void Data_panels::Place(const Distance_grid& grid, int height)
{
    for (QLabel* panel : {lblGrayPanel1, lblGrayPanel2}) {
        const bool large = panel == lblGrayPanel2;
        panel->setGeometry(grid.group_left(large), 0, grid.group_right(large) - grid.group_left(large), height);
    }
    const std::array<int, 5> at{grid.group_left(false), grid.left[SPDK], grid.group_left(true), grid.left[LPDK],
                                grid.right};
    for (size_t k = 0; k < lines.size(); ++k)
        lines[k]->setGeometry(at[k], 0, 1, height);
}

} // namespace vexo
