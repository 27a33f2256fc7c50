// Table 3: its load, its pages of heading and container lines, its layout.
#include "distances/frmTable3.h"

#include "app/General.h"
#include "app/Keyboard.h"
#include "distances/Distance_columns.h"
#include "platform/Twips.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace vexo {

QString frmTable3::Opened_at;

namespace {

constexpr double kMargin = 120;  // twips: frame left and gaps
constexpr double kGap = 60;
const QColor kOpened_gas(255, 255, 0);  // the heading of the gas the table was opened at

QFrame* New_rule(QWidget* parent)
{
    auto* rule = new QFrame(parent);
    Paint_background(rule, QColor(0, 0, 0));
    return rule;
}

// The gases of one block as its heading line names them: "1050  Hydrogen
// chloride, anhydrous   ·   2186  Hydrogen chloride, refrigerated liquid".
QString Block_heading(const std::vector<Large_spill>& spills, int block)
{
    QStringList gases;
    for (const Large_spill& row : spills) {
        const QString gas = row.id + QStringLiteral("  ") + row.name;
        if (row.block == block && !gases.contains(gas))
            gases << gas;
    }
    return gases.join(QStringLiteral("   ·   "));
}

} // namespace

frmTable3::frmTable3(QWidget* parent)
    : QWidget(parent),
      frmHeader(new QFrame(this)),
      lblTitle(New_text_label(frmHeader, Qt::AlignCenter, true)),
      frmTitle(new QFrame(frmHeader)),
      lblContainerText(New_text_label(frmTitle, Qt::AlignLeft | Qt::AlignBottom, true)),
      lblIsolate(New_text_label(frmTitle, Qt::AlignCenter, true)),
      lblProtect(New_text_label(frmTitle, Qt::AlignCenter, true)),
      lblDay(New_text_label(frmTitle, Qt::AlignCenter, true)),
      lblNight(New_text_label(frmTitle, Qt::AlignCenter, true)),
      frmData(new QWidget(this)),
      vscData(new QScrollBar(Qt::Vertical, this)),
      lblNote(New_text_label(this, Qt::AlignLeft | Qt::AlignTop))
{
    setFocusPolicy(Qt::StrongFocus);  // the keys page through the table
    setObjectName(QStringLiteral("frmTable3"));
    vscData->setObjectName(QStringLiteral("vscData"));
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.25);
    lblTitle->setFont(title);
    Paint_background(frmData, White);
    for (QLabel*& wind : lblWind)
        wind = New_text_label(frmTitle, Qt::AlignCenter, true);
    for (QLabel*& unit : lblUnit)
        unit = New_text_label(frmTitle, Qt::AlignCenter);
    // Gray behind the value columns, in the headings and in the rows.
    panels_[0] = new QLabel(frmTitle);
    Paint_background(panels_[0], Heading_gray());
    panels_[1] = new QLabel(frmData);
    Paint_background(panels_[1], Panel_gray());
    for (QLabel* panel : {panels_[0], panels_[1]})
        panel->lower();
    for (size_t k = 0; k < 8; ++k)
        rules_[k] = New_rule(k < 4 ? frmData : frmTitle);
    rules_[8] = New_rule(frmTitle);
    for (int index = 0; index < kRows; ++index) {
        lblBlock[index] = New_text_label(frmData, Qt::AlignLeft | Qt::AlignVCenter, true);
        lblBlock[index]->setIndent(twips(kGap));
        lblContainer[index] = New_text_label(frmData, Qt::AlignLeft | Qt::AlignVCenter);
        lblBlock[index]->setObjectName(QStringLiteral("lblBlock_%1").arg(index));
        lblContainer[index]->setObjectName(QStringLiteral("lblContainer_%1").arg(index));
        for (int column = 0; column < kLarge_spill_values; ++column) {
            QLabel*& value = lblValue[index][column];
            value = New_text_label(frmData, Qt::AlignCenter);
            value->setWordWrap(false);
            value->setObjectName(QStringLiteral("lblValue_%1_%2").arg(index).arg(column));
        }
    }
    Page_with_keys(this, vscData);
    row_height_ = Distance_row_height(font());
    const QFontMetrics metrics(font());
    value_width_ = std::max(twips(780), metrics.horizontalAdvance(QStringLiteral("(Millas)")) + twips(120));

    // The load.
    Insert_Text_Language();
    frmData->hide();
    spills_ = Large_spills();
    int block = -1;
    QString first_gas;
    for (const Large_spill& row : spills_) {
        if (row.block != block) {
            block = row.block;
            first_gas = row.id;
            lines_.push_back({block, Block_heading(spills_, block), nullptr});
        }
        // The gases of a block share its rows: the first gas's rows stand for all.
        if (row.id == first_gas)
            lines_.push_back({block, {}, &row});
    }
    const int opened = std::max(0, Line_of(Opened_at));
    opened_block_ = Line_of(Opened_at) >= 0 ? lines_[static_cast<size_t>(opened)].block : 0;
    const int count = static_cast<int>(lines_.size());
    vscData->setRange(0, std::max(0, count - kRows));
    vscData->setPageStep(kRows);
    vscData->setSingleStep(1);
    vscData->setVisible(count > kRows);
    vscData->setValue(std::min(opened, vscData->maximum()));
    connect(vscData, &QScrollBar::valueChanged, this, &frmTable3::vscData_Change);
    Put_table3_data(vscData->value());

    const int width = twips(3000) + kLarge_spill_values * value_width_ + 2 * twips(kMargin) + 3 * twips(kGap)
                    + vscData->sizeHint().width();
    resize(width, 0);
    Form_Resize();
    resize(width, lblNote->y() + lblNote->height() + twips(kMargin));
    frmData->show();
}

void frmTable3::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Tabla 3: derrames grandes de seis gases tóxicos por inhalación comunes"));
    lblTitle->setText(QStringLiteral(
        "TABLA 3 - DISTANCIAS DE AISLAMIENTO INICIAL Y ACCIÓN PROTECTORA PARA DERRAMES GRANDES DE DIFERENTES "
        "CANTIDADES DE SEIS GASES TÓXICOS POR INHALACIÓN COMUNES"));
    lblContainerText->setText(QStringLiteral("Contenedor de transporte"));
    lblIsolate->setText(QStringLiteral("Primero AISLAR a la Redonda"));
    lblProtect->setText(QStringLiteral("Luego, PROTEJA a las Personas en la Dirección del Viento Durante"));
    lblDay->setText(QStringLiteral("DIA"));
    lblNight->setText(QStringLiteral("NOCHE"));
    // No-break spaces keep each speed on one line under its wind.
    for (int period = 0; period < 2; ++period) {
        lblWind[period * 3]->setText(QStringLiteral("Viento bajo (<\u00a010\u00a0km/h)"));
        lblWind[period * 3 + 1]->setText(QStringLiteral("Viento moderado (10–\u206020\u00a0km/h)"));
        lblWind[period * 3 + 2]->setText(QStringLiteral("Viento fuerte (>\u00a020\u00a0km/h)"));
    }
    lblUnit[0]->setText(QStringLiteral("Metros"));
    lblUnit[1]->setText(QStringLiteral("(Pies)"));
    for (int column = 2; column < kLarge_spill_values; column += 2) {
        lblUnit[column]->setText(QStringLiteral("Kms."));
        lblUnit[column + 1]->setText(QStringLiteral("(Millas)"));
    }
    lblNote->setText(QStringLiteral(
        "\"+\" significa que la distancia puede ser mayor en ciertas condiciones atmosféricas."));
}

int frmTable3::Line_of(const QString& id) const
{
    if (id.isEmpty())
        return -1;
    for (size_t index = 0; index < lines_.size(); ++index) {
        const Line& line = lines_[index];
        if (!line.row)
            for (const Large_spill& row : spills_)
                if (row.block == line.block && row.id == id)
                    return static_cast<int>(index);
    }
    return -1;
}

void frmTable3::Put_table3_data(int first)
{
    for (int index = 0; index < kRows; ++index) {
        const size_t at = static_cast<size_t>(first + index);
        const Line* line = at < lines_.size() ? &lines_[at] : nullptr;
        const bool heading = line && !line->row;
        const bool values = line && line->row;
        lblBlock[index]->setVisible(heading);
        lblContainer[index]->setVisible(values);
        for (int column = 0; column < kLarge_spill_values; ++column) {
            lblValue[index][column]->setVisible(values);
            if (values)
                lblValue[index][column]->setText(Cell_text(column, line->row->values[column]));
        }
        if (heading) {
            lblBlock[index]->setText(line->heading);
            Paint_background(lblBlock[index], line->block == opened_block_ ? kOpened_gas : Heading_gray());
        } else if (values) {
            lblContainer[index]->setText(line->row->container);
        }
    }
}

void frmTable3::vscData_Change(int value)
{
    // The page is refilled out of sight, so no half-filled page is ever seen.
    frmData->setUpdatesEnabled(false);
    Put_table3_data(value);
    frmData->setUpdatesEnabled(true);
}

void frmTable3::wheelEvent(QWheelEvent* event)
{
    Page_by_wheel(vscData, event);
    event->accept();
}

void frmTable3::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

int frmTable3::Column_left(int column) const
{
    return twips(kGap) + container_width_ + twips(kGap) + column * value_width_;
}

void frmTable3::Form_Resize()
{
    const int margin = twips(kMargin);
    const int gap = twips(kGap);
    const int bar = vscData->sizeHint().width();
    const int values_width = kLarge_spill_values * value_width_;
    const int data_width = std::max(twips(2400) + 3 * gap + values_width, width() - 2 * margin - bar);
    container_width_ = data_width - 3 * gap - values_width;
    const int right = Column_left(kLarge_spill_values);

    lblTitle->setGeometry(margin, gap, std::max(0, width() - 2 * margin),
                          lblTitle->heightForWidth(std::max(1, width() - 2 * margin)));

    // Headings: the actions over their columns, the periods, the winds, the units.
    const int line = QFontMetrics(lblProtect->font()).lineSpacing();
    const int protect_height = std::max(line, lblProtect->heightForWidth(12 * value_width_)) + gap;
    const int period_height = line + gap / 2;
    int wind_height = 0;
    for (QLabel* wind : lblWind)
        wind_height = std::max(wind_height, wind->heightForWidth(2 * value_width_) + gap);
    const int unit_height = line + gap;
    const int top = gap;
    const int winds = top + protect_height + period_height;
    const int units = winds + wind_height;
    lblIsolate->setGeometry(Column_left(0), top, 2 * value_width_, units - top);
    lblProtect->setGeometry(Column_left(2), top, 12 * value_width_, protect_height);
    lblDay->setGeometry(Column_left(2), top + protect_height, 6 * value_width_, period_height);
    lblNight->setGeometry(Column_left(8), top + protect_height, 6 * value_width_, period_height);
    for (int k = 0; k < 6; ++k)
        lblWind[static_cast<size_t>(k)]->setGeometry(Column_left(2 + 2 * k), winds, 2 * value_width_, wind_height);
    for (int column = 0; column < kLarge_spill_values; ++column)
        lblUnit[column]->setGeometry(Column_left(column), units, value_width_, unit_height);
    lblContainerText->setGeometry(gap, top, container_width_, units + unit_height - top);
    const int title_height = units + unit_height + twips(30);
    panels_[0]->setGeometry(Column_left(0), 0, values_width, title_height);
    frmTitle->setGeometry(margin, lblTitle->y() + lblTitle->height() + gap, data_width, title_height);
    frmHeader->setGeometry(0, 0, width(), frmTitle->y() + frmTitle->height());

    frmData->setGeometry(margin, frmHeader->height(), data_width, kRows * row_height_);
    for (int index = 0; index < kRows; ++index) {
        const int y = index * row_height_;
        lblBlock[index]->setGeometry(0, y, right, row_height_);
        lblContainer[index]->setGeometry(gap, y, container_width_, row_height_);
        for (int column = 0; column < kLarge_spill_values; ++column)
            lblValue[index][column]->setGeometry(Column_left(column), y, value_width_, row_height_);
    }
    panels_[1]->setGeometry(Column_left(0), 0, values_width, frmData->height());
    const std::array<int, 4> at{Column_left(0), Column_left(2), Column_left(8), right};
    for (size_t k = 0; k < 4; ++k) {
        rules_[k]->setGeometry(at[k], 0, 1, frmData->height());
        rules_[k]->raise();
        // In the headings the rule between day and night starts under the protection heading.
        const int rule_top = k == 2 ? top + protect_height : 0;
        rules_[k + 4]->setGeometry(at[k], rule_top, 1, title_height - rule_top);
    }
    rules_[8]->setGeometry(Column_left(2), top + protect_height, 12 * value_width_, 1);
    for (QLabel* heading : lblBlock)
        heading->raise();
    vscData->setGeometry(margin + data_width, frmData->y(), bar, frmData->height());
    lblNote->setGeometry(margin, frmData->y() + frmData->height() + gap, data_width,
                         lblNote->heightForWidth(data_width));
}

} // namespace vexo
