// The water-reactive list: its load and pages, the guide button with the
// spill question and the summary, the gases search, and its layout.
#include "distances/frmWater.h"

#include "distances/Distance_columns.h"

#include "app/General.h"
#include "app/Keyboard.h"
#include "data/Queries.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "app/Child_windows.h"
#include "app/Counted_later.h"
#include "app/Guarded.h"
#include "app/Row_cells.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

namespace vexo {

namespace {

constexpr double kMargin = 120;  // twips: frame and scroll bar margins
constexpr double kGap = 60;      // between the cells of a row
constexpr double kMin_width = 7560;
constexpr double kMin_height = 6480;

QLabel* New_label(QWidget* parent, Qt::Alignment align, bool bold = false)
{
    return New_text_label(parent, align, bold);
}

} // namespace

frmWater::frmWater(QWidget* parent)
    : QWidget(parent),
      lblTitle1(New_label(this, Qt::AlignCenter, true)),
      lblTitle2(New_label(this, Qt::AlignCenter, true)),
      lblTitle4(New_label(this, Qt::AlignLeft | Qt::AlignTop, true)),
      lblIDText(New_label(this, Qt::AlignLeft | Qt::AlignBottom, true)),
      lblGuideText(New_label(this, Qt::AlignLeft | Qt::AlignBottom, true)),
      lblMatText(New_label(this, Qt::AlignLeft | Qt::AlignBottom, true)),
      lblPIHText(New_label(this, Qt::AlignLeft | Qt::AlignBottom, true)),
      frmData(new QFrame(this)),
      vscData(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(twips(kMin_width), twips(kMin_height));
    setObjectName(QStringLiteral("frmWater"));
    lblTitle4->setObjectName(QStringLiteral("lblTitle4"));
    vscData->setObjectName(QStringLiteral("vscData"));
    QFont title = lblTitle1->font();
    title.setPointSizeF(title.pointSizeF() * 1.25);
    lblTitle1->setFont(title);
    frmData->setFrameShape(QFrame::StyledPanel);
    for (int index = 0; index < kRows; ++index) {
        lblID[index] = New_label(frmData, Qt::AlignLeft | Qt::AlignVCenter);
        cmdGuide[index] = new QPushButton(frmData);
        txtMat[index] = new QLineEdit(frmData);
        txtMat[index]->setReadOnly(true);
        cmdProduct2[index] = new QPushButton(frmData);
        lblID[index]->setObjectName(QStringLiteral("lblID_%1").arg(index));
        cmdGuide[index]->setObjectName(QStringLiteral("cmdGuide_%1").arg(index));
        txtMat[index]->setObjectName(QStringLiteral("txtMat_%1").arg(index));
        cmdProduct2[index]->setObjectName(QStringLiteral("cmdProduct2_%1").arg(index));
        connect(cmdGuide[index], &QPushButton::clicked, this, Guarded([this, index] { cmdGuide_Click(index); }));
        connect(cmdProduct2[index], &QPushButton::clicked, this, Guarded([this, index] { cmdProduct2_Click(index); }));
    }
    row_height_ = std::max(twips(360), cmdGuide[0]->sizeHint().height());
    for (int index = 0; index < kRows; ++index)
        Enter_presses(txtMat[index], cmdGuide[index]);
    Page_with_keys(this, vscData);

    // The load.
    Insert_Text_Language();
    Water_records = Main_database->OpenRecordset(Water_SQL);
    Scroll_when_counted(vscData, kRows, frmData, Water_records);
    vscData->setPageStep(kRows);
    vscData->setSingleStep(1);
    connect(vscData, &QScrollBar::valueChanged, this, &frmWater::vscData_Change);
    Water_records->MoveFirst();
    Water_first_bookmark = Water_records->bookmark();
    Put_water_data();

    int wanted = twips(14400);
    if (QMdiArea* area = Work_area())
        wanted = std::min(wanted, area->viewport()->width() - twips(240));
    resize(std::max(wanted, minimumWidth()), 0);
    Form_Resize();
    resize(width(), std::max(minimumHeight(), lblTitle4->y() + lblTitle4->height() + twips(kMargin)));
}

void frmWater::Insert_Text_Language()
{
    setWindowTitle(QStringLiteral("Lista de materiales peligrosos reactivos al agua que producen gases toxicos"));
    lblGuideText->setText(QStringLiteral("Guía"));
    lblIDText->setText(QStringLiteral("# de Id"));
    lblMatText->setText(QStringLiteral("Nombre del Material"));
    lblPIHText->setText(QStringLiteral("Riesgo de Inhalación tóxica (RIT) producido"));
    lblTitle1->setText(QStringLiteral("LISTA DE MATERIALES PELIGROSOS REACTIVOS AL AGUA QUE PRODUCEN GASES TOXICOS"));
    lblTitle2->setText(
        QStringLiteral("Materiales Que Crean Grandes Cantidades de Vapor Tóxico Cuando Se Derraman En Agua"));
    lblTitle4->setText(QStringLiteral("Use esta lista solamente cuando el material sea derramado en agua."));
}

void frmWater::Put_water_data()
{
    RecordSet& records = *Water_records;
    const int was_filled = last_filled_;
    last_filled_ = -1;
    for (int index = 0; index < kRows; ++index) {
        if (records.Eof()) {
            Change_visible_field(false, index);
            continue;
        }
        Change_visible_field(true, index);
        last_filled_ = index;
        lblID[index]->setText(records.Field(QStringLiteral("ID")));
        Set_tag(lblID[index], records.Field(QStringLiteral("PIH")) == QLatin1String("1") ? QStringLiteral("RIT")
                                                                                           : QString());
        const QString guide = records.Field(QStringLiteral("Guide_Number"));
        cmdGuide[index]->setText(guide);
        cmdGuide[index]->setToolTip(records.Field(QStringLiteral("Sentences")));
        Set_tag(cmdGuide[index], guide);
        Show_name(txtMat[index], records.Field(QStringLiteral("Name_of_material")));

        // One gas alone, two joined by " y ", three as "a, b y c".
        const QString second = records.Field(QStringLiteral("Second_product"));
        const QString third = records.Field(QStringLiteral("Third_product"));
        QString caption = records.Field(QStringLiteral("First_product"));
        QStringList names{records.Field(QStringLiteral("First_name_search"))};
        if (!second.isEmpty()) {
            caption += (third.isEmpty() ? QStringLiteral(" y ") : QStringLiteral(", ")) + second;
            names << records.Field(QStringLiteral("Second_name_search"));
        }
        if (!third.isEmpty()) {
            caption += QStringLiteral(" y ") + third;
            names << records.Field(QStringLiteral("Third_name_search"));
        }
        cmdProduct2[index]->setToolTip(caption);
        Show_gases(index);
        gas_names[index] = names;
        records.MoveNext();
    }
    if (last_filled_ != was_filled)
        Form_Resize();
}

void frmWater::Show_gases(int Index)
{
    // The whole caption is the button's tool tip; a caption wider than the
    // button ends in "…" rather than being cut at both ends.
    QPushButton* button = cmdProduct2[Index];
    const QString caption = button->toolTip();
    const int room = button->width() - twips(180);
    button->setText(room > 0 ? button->fontMetrics().elidedText(caption, Qt::ElideRight, room) : caption);
}

void frmWater::Change_visible_field(bool Visible_value, int Index)
{
    for (QWidget* cell : std::initializer_list<QWidget*>{lblID[Index], cmdGuide[Index], txtMat[Index],
                                                        cmdProduct2[Index]})
        cell->setVisible(Visible_value);
}

void frmWater::vscData_Change(int value)
{
    frmData->setUpdatesEnabled(false);
    Water_records->Move(value, Water_first_bookmark);
    Put_water_data();
    frmData->setUpdatesEnabled(true);
}

void frmWater::cmdGuide_Click(int Index)
{
    const bool in_water = platform::MsgBox(QStringLiteral("El producto se derramó en el agua?"),
                                           platform::Icon::Question, platform::Buttons::YesNo,
                                           QStringLiteral("Material derramado"))
                       == platform::Answer::Yes;
    const QString id = lblID[Index]->text();
    const QString name = Row_name(txtMat[Index]);
    const bool toxic = Tag(lblID[Index]) == QLatin1String("RIT");
    Product_label = name + QStringLiteral(", Número de identificación ") + id;
    if (frmGuidePage* page = Open_guide_page(Tag(cmdGuide[Index]))) {
        // Every material of the list reacts with water.
        if (const auto suffix = Distances_suffix({.inhalation = toxic, .water_reactive = true}, in_water, QString())) {
            page->Show_distances(sql::Distances_lookup(id, name, *suffix));
            page->Set_print_qualifier(u' ' + *suffix);
        }
    }
    const bool see_summary = call_see_summary(id, name, in_water);
    if (see_summary)
        Open_summary();
}

bool frmWater::call_see_summary(const QString& ID_num, const QString& name_mat, bool respwater)
{
    if (!respwater) {
        Add_to_summary(name_mat, ID_num, QStringLiteral("0"), QStringLiteral("1"));
        return false;
    }
    auto gases = Main_database->OpenRecordset(sql::Gases_SQL(ID_num, true));
    // When the summary cannot be written, that is said once; the warning follows.
    const bool stored = Add_to_summary(name_mat, ID_num, QStringLiteral("1"), QStringLiteral("1"));
    if (gases->Empty())
        return false;  // the list's own materials always have their gases
    gases->MoveFirst();
    const QString second = gases->Field(QStringLiteral("Second_product"));
    const QString third = gases->Field(QStringLiteral("Third_product"));
    if (stored)
        Add_to_summary(gases->Field(QStringLiteral("First_name_search")), gases->Field(QStringLiteral("First_ID")),
                       QStringLiteral("1"), QStringLiteral("0"));
    QString message = QStringLiteral("ADVERTENCIA: Substancia tóxica por inhalación!\n\n") + name_mat
                    + QStringLiteral(", Número de identificación ") + ID_num
                    + QStringLiteral(", crea grandes cantidades de vapores tóxicos de ")
                    + gases->Field(QStringLiteral("First_product"));
    if (!second.isEmpty()) {
        if (stored)
            Add_to_summary(gases->Field(QStringLiteral("Second_name_search")), gases->Field(QStringLiteral("Second_ID")),
                           QStringLiteral("1"), QStringLiteral("0"));
        message += (third.isEmpty() ? QStringLiteral(" y ") : QStringLiteral(", ")) + second;
    }
    if (!third.isEmpty()) {
        if (stored)
            Add_to_summary(gases->Field(QStringLiteral("Third_name_search")), gases->Field(QStringLiteral("Third_ID")),
                           QStringLiteral("1"), QStringLiteral("0"));
        message += QStringLiteral(" y ") + third;
    }
    gases->Close();
    message += QStringLiteral(" cuando se derrama en agua.\n\nLa información pertinente para aquellos materiales está "
                              "accesible en el resumen del informe. quiere abrir el informe?");
    return platform::MsgBox(message, platform::Icon::Exclamation, platform::Buttons::YesNo,
                            QStringLiteral("MATERIAL PELIGROSO QUE REACCIONA CON EL AGUA"))
        == platform::Answer::Yes;
}

void frmWater::cmdProduct2_Click(int Index)
{
    Open_index_query(sql::Gas_index_SQL(gas_names[Index]), Cyan_highlight);
    if (frmPages* pages = Find_child<frmPages>())
        pages->setWindowTitle(QStringLiteral(
            "Buscar materiales tóxicos por inhalación, que se liberan de MRA cuando se derrama en el agua"));
}

void frmWater::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && vscData->isVisible())
        vscData->setValue(vscData->value() - 3 * notches);
    event->accept();
}

void frmWater::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmWater::Form_Resize()
{
    const int margin = twips(kMargin);
    const int gap = twips(kGap);
    const int bar = vscData->sizeHint().width();
    const int inner = std::max(width(), minimumWidth()) - 2 * margin;

    int top = twips(60);
    for (QLabel* title : {lblTitle1, lblTitle2}) {
        title->setGeometry(margin, top, inner, title->heightForWidth(inner));
        top += title->height() + twips(60);
    }

    // Columns inside the frame: ID, guide, name, then the gases button
    // standing at the frame's right.
    const int frame_width = inner - bar;
    const int id_left = gap;
    const int id_width = std::max(twips(720), lblIDText->fontMetrics().horizontalAdvance(lblIDText->text()) + gap);
    const int guide_left = id_left + id_width + gap, guide_width = twips(720);
    const int name_left = guide_left + guide_width + gap;
    const int rest = frame_width - name_left - 2 * gap;  // name and gases share it
    const int name_width = std::max(twips(1800), rest * 9 / 20);
    const int product_width = std::max(twips(1800), rest - name_width);
    const int product_left = name_left + name_width + gap;

    const int heading_height = std::max(lblPIHText->heightForWidth(product_width), lblIDText->sizeHint().height());
    const std::array<std::pair<QLabel*, std::pair<int, int>>, 4> headings{{
        {lblIDText, {id_left, id_width}},
        {lblGuideText, {guide_left, guide_width}},
        {lblMatText, {name_left, name_width}},
        {lblPIHText, {product_left, product_width}},
    }};
    for (const auto& [label, column] : headings)
        label->setGeometry(margin + column.first, top, column.second, heading_height);
    top += heading_height + twips(30);

    const int row_height = row_height_;
    for (int index = 0; index < kRows; ++index) {
        const int y = gap + index * (row_height + twips(30));
        lblID[index]->setGeometry(id_left, y, id_width, row_height);
        cmdGuide[index]->setGeometry(guide_left, y, guide_width, row_height);
        txtMat[index]->setGeometry(name_left, y, name_width, row_height);
        cmdProduct2[index]->setGeometry(product_left, y, product_width, row_height);
        Show_gases(index);
    }
    // The frame ends under the last row shown, and the note just under it.
    const int rows_shown = std::max(last_filled_ + 1, 1);
    const int data_height = gap + rows_shown * (row_height + twips(30)) + gap;
    frmData->setGeometry(margin, top, frame_width, data_height);
    vscData->setGeometry(margin + frame_width, top, bar, data_height);
    lblTitle4->setGeometry(margin, top + data_height + twips(105), inner, lblTitle4->heightForWidth(inner));
}

} // namespace vexo
