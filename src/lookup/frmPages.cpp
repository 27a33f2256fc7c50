// Index pages: opening the three indexes, filling and scrolling the page,
// and a row's guide button with the water question and the summary.
#include "lookup/frmPages.h"

#include "app/Child_windows.h"
#include "app/Counted_later.h"
#include "app/General.h"
#include "app/Keyboard.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmFind.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"
#include "platform/Busy_pointer.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace vexo {

void Open_pages()
{
    Reopen_child<frmPages>();
}

void Choose_index(Index_kind kind)
{
    Index_mode = kind == Index_kind::By_name ? 1 : 0;
    Chemical_agents_only = kind == Index_kind::Chemical_agents;
}

void Open_index_by_number()
{
    Choose_index(Index_kind::By_number);
    Open_pages();
}

void Open_index_by_name()
{
    Choose_index(Index_kind::By_name);
    Open_pages();
}

void Open_chemical_agents()
{
    Choose_index(Index_kind::Chemical_agents);
    Open_pages();
}

void Open_index_query(const QString& index_sql, const QColor& highlight)
{
    Index_mode = 2;
    Index_SQL = index_sql;
    Index_highlight = highlight;
    Open_pages();
}

frmPages::frmPages(QWidget* parent) : QWidget(parent)
{
    // The main window finds its children by name.
    setObjectName(QStringLiteral("frmPages"));
    platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
    Build_rows();
    for (int i = 0; i < kRows; ++i)
        Enter_presses(txtMaterial[i], cmdGuide[i]);
    Page_with_keys(this, vscData);
    Insert_Text_Language();
    if (Index_mode == 2) {
        // A caller's query: no option stands for it.
        setWindowTitle(QStringLiteral("Indice de materiales"));
        for (QRadioButton* option : {optYellow, optBlue, optChem})
            option->setAutoExclusive(false), option->setChecked(false), option->setAutoExclusive(true);
        Put_blue_order();
        if (Open_records(Index_SQL))
            cmdFirst_Click();
        Show_count(false);
    } else if (Index_mode == 1) {
        optBlue->setChecked(true);
        optBlue_Click();
    } else if (Chemical_agents_only) {
        optChem->setChecked(true);
        optChem_Click();
    } else {
        optYellow->setChecked(true);
        optYellow_Click();
    }
    cmdReport->setEnabled(!Summary_empty);
    connect(&Summary_changes(), &Summary_watch::Changed, cmdReport,
            [this] { cmdReport->setEnabled(!Summary_empty); });
}

frmPages::~frmPages()
{
    Index_records.reset();
    Pages_inactive = false;
}

void frmPages::Insert_Text_Language()
{
    lblIDText->setText(QStringLiteral("# de Id"));
    lblMaterialText->setText(QStringLiteral("Nombre del Material"));
    lblSpecHaz->setText(QStringLiteral("Riesgos Especiales"));
    lblGuideText->setText(QStringLiteral("Guía"));
    cmdFind->setText(QStringLiteral("&Buscar"));
    cmdFirst->setText(QStringLiteral("Ini&cio del índice"));
    cmdReport->setText(QStringLiteral("&Resúmen"));
    optBlue->setText(QStringLiteral("Indice a&lfabético"));
    optYellow->setText(QStringLiteral("&Indice numérico"));
    optChem->setText(QStringLiteral("&Armas Quimicas"));
}

void frmPages::optYellow_Click()
{
    Open_index(sql::Index_by_number_SQL(), QStringLiteral("Indice numérico"), Yellow_highlight, true);
}

void frmPages::optBlue_Click()
{
    Open_index(sql::Index_by_name_SQL(), QStringLiteral("Indice alfabético"), Cyan_highlight, false);
}

void frmPages::optChem_Click()
{
    Open_index(sql::Chemical_agents_SQL(), QStringLiteral("Indice de Arma Quimica"), Yellow_highlight, true);
}

void frmPages::Open_index(const QString& index_sql, const QString& caption, const QColor& highlight,
                          bool yellow_order)
{
    platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
    Index_SQL = index_sql;
    Index_highlight = highlight;
    setWindowTitle(caption);
    const bool opened = Open_records(Index_SQL);
    if (yellow_order)
        Put_yellow_order();
    else
        Put_blue_order();
    if (opened)
        cmdFirst_Click();
    Show_count(true);
}

bool frmPages::Open_records(const QString& index_sql)
{
    try {
        Index_records = Main_database->OpenRecordset(index_sql);
    } catch (const Db_error&) {
        // The page stays empty rather than showing rows of another index.
        Index_records.reset();
        Show_no_result();
        platform::MsgBox(QStringLiteral("No se pudo leer el índice de materiales de la base de datos."),
                         platform::Icon::Exclamation);
        return false;
    }
    Index_records->MoveFirst();
    // The first record's bookmark is the origin of every page.
    Index_first_bookmark = Index_records->Empty() ? 0 : Index_records->bookmark();
    vscData->blockSignals(true);
    Scroll_when_counted(vscData, kRows, frmData, Index_records);
    vscData->setValue(0);
    vscData->blockSignals(false);
    return true;
}

void frmPages::Show_count(bool always_plural)
{
    // Blank until counted: a number of the rows read so far would be wrong.
    lblNbrMatch->clear();
    When_counted(frmData, Index_records, [this, always_plural] {
        lblNbrMatch->setText(Similar_count_text(Index_records ? Index_records->RecordCount() : 0, always_plural));
    });
}

QString Similar_count_text(int count, bool always_plural)
{
    return QString::number(count) + QStringLiteral(" similar")
        + (always_plural || count >= 2 ? QStringLiteral("es") : QString());
}

void frmPages::Show_no_result()
{
    frmData->hide();
    for (int i = 0; i < kRows; ++i)
        Change_visible_box(false, i);
    Control_button();
}

bool frmPages::Begin_DB_group(RecordSet& The_RecordSet)
{
    The_RecordSet.MovePrevious();
    const bool first = The_RecordSet.Bof();
    The_RecordSet.MoveNext();
    return first;
}

void frmPages::Control_button()
{
    cmdFirst->setEnabled(Index_records && !Index_records->Empty() && !Begin_DB_group(*Index_records));
}

void frmPages::cmdFirst_Click()
{
    if (!Index_records)
        return;
    Index_records->MoveFirst();
    put_data(*Index_records);
    vscData->blockSignals(true);
    vscData->setValue(0);
    vscData->blockSignals(false);
    Control_button();
}

void frmPages::vscData_Change(int value)
{
    if (!Index_records || Index_records->Empty())
        return;
    Index_records->Move(value, Index_first_bookmark);
    put_data(*Index_records);
    Control_button();
}

void frmPages::put_data(RecordSet& rs)
{
    frmData->show();
    bool ran_out = false;
    last_filled_ = -1;
    for (int i = 0; i < kRows; ++i) {
        if (rs.Eof()) {
            Change_visible_box(false, i);
            lblReaction[i]->hide();
            lblDWRM[i]->hide();
            ran_out = true;
            continue;
        }
        const Index_entry entry = Index_entry_of(rs);
        lblID[i]->setText(entry.id);
        Set_tag(cmdGuide[i], rs.Field(QStringLiteral("PIH")));
        cmdGuide[i]->setText(entry.guide);
        cmdGuide[i]->setToolTip(entry.title);
        Show_name(txtMaterial[i], entry.name);
        Set_tag(txtMaterial[i], entry.supplement);
        Change_color(i, rs);
        Change_visible_box(true, i);
        last_filled_ = i;
        rs.MoveNext();
    }
    // Only a short set runs out, and it has no other page to scroll to.
    vscData->setVisible(!ran_out && vscData->maximum() > 0);
    Position_Table(rs, ran_out);
    Place_rows();
}

void frmPages::Position_Table(RecordSet& A_recordset, bool flag)
{
    if (flag) {
        A_recordset.MoveFirst();
        return;
    }
    for (int i = 0; i < kRows; ++i)
        A_recordset.MovePrevious();
}

void frmPages::Change_color(int Indx, RecordSet& rs)
{
    const Product_marks marks = Marks_of(rs.Field(QStringLiteral("PIH")), rs.Field(QStringLiteral("Chemical_Warfare")),
                                         rs.Field(QStringLiteral("Water_reactive")));
    Paint_row(Indx, marks.inhalation || marks.water_reactive || marks.agent ? Index_highlight : White);
    Show_marks(lblReaction[Indx], lblDWRM[Indx], marks);
}

void frmPages::Paint_row(int index, const QColor& colour)
{
    if (row_colour_[index] == colour)
        return;
    row_colour_[index] = colour;
    for (QWidget* widget : {static_cast<QWidget*>(lblID[index]), static_cast<QWidget*>(txtMaterial[index]),
                            static_cast<QWidget*>(lblReaction[index]), static_cast<QWidget*>(lblDWRM[index])})
        Paint_background(widget, colour);
}

void frmPages::Change_visible_box(bool Visible_box, int Index)
{
    lblID[Index]->setVisible(Visible_box);
    cmdGuide[Index]->setVisible(Visible_box);
    txtMaterial[Index]->setVisible(Visible_box);
}

Index_entry Index_entry_of(const RecordSet& rs)
{
    Index_entry entry;
    entry.id = rs.Field(QStringLiteral("ID"));
    entry.name = rs.Field(QStringLiteral("Name_of_material"));
    entry.guide = Guide_code(rs.Field(QStringLiteral("Guide_Number")), rs.Field(QStringLiteral("Polymerization")));
    entry.title = rs.Field(QStringLiteral("Sentences"));
    const Product_marks marks = Marks_of(rs.Field(QStringLiteral("PIH")), rs.Field(QStringLiteral("Chemical_Warfare")),
                                         rs.Field(QStringLiteral("Water_reactive")));
    entry.inhalation = marks.inhalation;
    entry.agent = marks.agent;
    entry.water = marks.water_reactive;
    entry.supplement = Inhalation_supplement(rs.Field(QStringLiteral("Supp_text")), marks.agent);
    return entry;
}

void frmPages::cmdGuide_Click(int i)
{
    // The row's texts are read now: opening the guide page may repaint this window.
    Index_entry entry;
    entry.id = lblID[i]->text();
    entry.name = Row_name(txtMaterial[i]);
    entry.guide = cmdGuide[i]->text();
    entry.supplement = Tag(txtMaterial[i]);
    entry.inhalation = !lblReaction[i]->text().isEmpty();
    entry.water = lblDWRM[i]->text() == Mark_text({.water_reactive = true});
    entry.agent = lblDWRM[i]->text() == Mark_text({.agent = true});
    Open_entry_guide(entry);
}

void Open_entry_guide(const Index_entry& entry)
{
    const bool inhalation = entry.inhalation;
    const bool water = entry.water;
    std::optional<platform::Answer> answer;
    if (water)
        answer = platform::MsgBox(QStringLiteral("El producto se derramó en el agua?"), platform::Icon::Question,
                                  platform::Buttons::YesNo, QStringLiteral("Material derramado"));
    const bool in_water = answer == platform::Answer::Yes;

    Product_label = entry.name + QStringLiteral(", Número de identificación ") + entry.id;
    frmGuidePage* page = Open_guide_page(entry.guide);
    if (page) {
        page->Set_print_qualifier(QString());
        const std::optional<QString> suffix =
            Distances_suffix({.inhalation = inhalation, .water_reactive = water, .agent = entry.agent}, in_water,
                             entry.supplement);
        if (suffix) {
            page->Show_distances(sql::Distances_lookup(entry.id, entry.name, *suffix));
            page->Set_print_qualifier(QStringLiteral(" ") + *suffix);
        }
    }

    const bool open_summary = frmPages::call_see_summary(entry.id, entry.name, answer);
    if (open_summary)
        Open_summary();
}

bool frmPages::call_see_summary(const QString& ID_num, const QString& name_mat,
                                std::optional<platform::Answer> water_resp)
{
    if (water_resp != platform::Answer::Yes) {
        Add_to_summary(name_mat, ID_num, QStringLiteral("0"), QStringLiteral("1"));
        return false;
    }
    auto gases = Main_database->OpenRecordset(sql::Gases_SQL(ID_num, false));
    // When the summary cannot be written, that is said once; the warning follows.
    const bool stored = Add_to_summary(name_mat, ID_num, QStringLiteral("1"), QStringLiteral("1"));
    // A water-reactive entry the Water table does not list gives off no gas
    // the program knows of: the product alone is stored.
    if (gases->Empty())
        return false;
    gases->MoveFirst();
    const QString first = gases->Field(QStringLiteral("First_product"));
    const QString second = gases->Field(QStringLiteral("Second_product"));
    if (stored)
        Add_to_summary(gases->Field(QStringLiteral("First_name_search")), gases->Field(QStringLiteral("First_ID")),
                       QStringLiteral("1"), QStringLiteral("0"));
    if (stored && !second.isEmpty())
        Add_to_summary(gases->Field(QStringLiteral("Second_name_search")), gases->Field(QStringLiteral("Second_ID")),
                       QStringLiteral("1"), QStringLiteral("0"));
    gases->Close();

    const QString warning = QStringLiteral("ADVERTENCIA: Substancia tóxica por inhalación!\n\n") + name_mat
                          + QStringLiteral(", Número de identificación ") + ID_num
                          + QStringLiteral(", crea grandes cantidades de vapores tóxicos de ") + first
                          + (second.isEmpty() ? QString() : QStringLiteral(" y ") + second)
                          + QStringLiteral(" cuando se derrama en agua.\n\nLa información pertinente para aquellos "
                                           "materiales está accesible en el resumen del informe. quiere abrir el "
                                           "informe?");
    return platform::MsgBox(warning, platform::Icon::Exclamation, platform::Buttons::YesNo,
                            QStringLiteral("MATERIAL PELIGROSO QUE REACCIONA CON EL AGUA"))
        == platform::Answer::Yes;
}

void frmPages::cmdFind_Click()
{
    Open_find();
}

void frmPages::cmdReport_Click()
{
    platform::Busy_pointer busy(this);
    Open_summary();
}

void frmPages::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activation_hooked_)
        activation_hooked_ = Watch_activation(this, [this](bool active) {
            if (active)
                Form_Activate();
            else
                Form_Deactivate();
        });
}

void frmPages::Form_Activate()
{
    cmdReport->setEnabled(!Summary_empty);
    Pages_inactive = false;
}

void frmPages::Form_Deactivate()
{
    Pages_inactive = true;
}

} // namespace vexo
