// Summary report: filling and scrolling the page, deleting and clearing, and
// a row's guide button with the distances the row's marks call for.
#include "summary/frmSummary.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Keyboard.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "platform/Busy_pointer.h"
#include "platform/Platform.h"
#include "printing/Summary_print.h"
#include "summary/Summary_store.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>

namespace vexo {

void Open_summary()
{
    if (Summary_empty)
        return;
    platform::Busy_pointer busy;
    Reopen_child<frmSummary>();
}

frmSummary::frmSummary(QWidget* parent) : QWidget(parent)
{
    // The main window finds its children by name.
    setObjectName(QStringLiteral("frmSummary"));
    Build_controls();
    for (int i = 0; i < kRows; ++i)
        Enter_presses(txtMat[i], cmdGuide[i]);
    Page_with_keys(this, vscData);
    Insert_Text_Language();
    Summary_SQL = sql::Summary_view_in_order_SQL();
    Summary_records = Main_database->OpenRecordset(Summary_SQL);
    Summary_records->MoveFirst();
    Summary_first_bookmark = 0;
    Form_Activate();
}

frmSummary::~frmSummary()
{
    Summary_records.reset();
}

bool frmSummary::No_record(const RecordSet& A_recordset)
{
    return A_recordset.Eof() && A_recordset.Bof();
}

void frmSummary::Form_Activate()
{
    Summary_records->Requery();
    Summary_records->MoveFirst();
    Summary_first_bookmark = Summary_records->Empty() ? 0 : Summary_records->bookmark();
    vscData->blockSignals(true);
    vscData->setValue(0);
    vscData->blockSignals(false);
    Put_summary_data();
}

void frmSummary::Put_summary_data()
{
    RecordSet& rs = *Summary_records;
    frmData->show();
    const int count = rs.RecordCount();
    whole_set_fits_ = count <= kRows;
    vscData->blockSignals(true);
    vscData->setRange(0, std::max(0, count - kRows));
    vscData->blockSignals(false);
    vscData->setVisible(!whole_set_fits_);

    shown_rows_ = 0;
    for (int i = 0; i < kRows; ++i) {
        lblDWRM[i]->hide();
        lblTIH[i]->hide();
        if (rs.Eof()) {
            change_visible(false, i);
            continue;
        }
        lblID[i]->setText(rs.Field(QStringLiteral("ID")));
        Set_tag(lblID[i], rs.Field(QStringLiteral("Key")));
        Show_name(txtMat[i], rs.Field(QStringLiteral("Name")));
        Set_tag(txtMat[i], rs.Field(QStringLiteral("Supp_text")));
        const QString guide =
            Guide_code(rs.Field(QStringLiteral("Guide_Number")), rs.Field(QStringLiteral("Polymerization")));
        cmdGuide[i]->setText(guide);
        Set_tag(cmdGuide[i], guide);
        cmdGuide[i]->setToolTip(rs.Field(QStringLiteral("Sentences")));

        Show_marks(lblTIH[i], lblDWRM[i],
                   Marks_of(rs.Field(QStringLiteral("PIH")), rs.Field(QStringLiteral("Chemical_Warfare")),
                            rs.Field(QStringLiteral("Water_reactive"))));

        Change_bold_fields(rs.Field(QStringLiteral("Bold")).trimmed() == QLatin1String("1"), i);
        Change_color(i);
        change_visible(true, i);
        ++shown_rows_;
        rs.MoveNext();
    }
    Pos_table(whole_set_fits_);
    Place_rows();
    // A tick belongs to the product that was on its row: rows filled anew
    // (scrolled, or reloaded on coming back) hold other products.
    Clear_checked_delete();
}

void frmSummary::Pos_table(bool flag)
{
    if (flag) {
        Summary_records->MoveFirst();
        return;
    }
    for (int i = 0; i < kRows; ++i)
        Summary_records->MovePrevious();
}

void frmSummary::Change_bold_fields(bool Bold_value, int Index)
{
    for (QWidget* w : {static_cast<QWidget*>(lblID[Index]), static_cast<QWidget*>(txtMat[Index]),
                       static_cast<QWidget*>(cmdGuide[Index]), static_cast<QWidget*>(lblDWRM[Index]),
                       static_cast<QWidget*>(lblTIH[Index])})
        Set_bold(w, Bold_value);
}

void frmSummary::Change_color(int Index)
{
    const bool green = Summary_records->Field(QStringLiteral("High_green")).trimmed() == QLatin1String("1");
    row_green_[Index] = green;
    for (QWidget* w : {static_cast<QWidget*>(lblID[Index]), static_cast<QWidget*>(txtMat[Index]),
                       static_cast<QWidget*>(lblDWRM[Index]), static_cast<QWidget*>(lblTIH[Index])})
        Paint_background(w, green ? Green_highlight : White);
}

void frmSummary::change_visible(bool visible_lbl, int Index)
{
    chkDelete[Index]->setVisible(visible_lbl);
    lblID[Index]->setVisible(visible_lbl);
    txtMat[Index]->setVisible(visible_lbl);
    cmdGuide[Index]->setVisible(visible_lbl);
}

void frmSummary::Clear_checked_delete()
{
    for (QCheckBox* box : chkDelete)
        box->setChecked(false);
}

void frmSummary::vscData_Change(int value)
{
    Summary_records->Move(value, Summary_first_bookmark);
    Put_summary_data();
}

void frmSummary::chkDelete_Click()
{
    bool any = false;
    for (const QCheckBox* box : chkDelete)
        any = any || box->isChecked();
    cmdDeleteItem->setEnabled(any);
}

void frmSummary::cmdDeleteItem_Click()
{
    {
        platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
        // A database that cannot be written says so once and keeps every row.
        for (int i = 0; i < kRows; ++i)
            if (chkDelete[i]->isChecked() && !Delete_from_summary(Tag(lblID[i])))
                break;
        Clear_checked_delete();
        Summary_records->Requery();
        if (!No_record(*Summary_records)) {
            Form_Activate();
            return;
        }
    }
    Set_summary_empty(true);
    Unload();
}

void frmSummary::cmdClearSum_Click()
{
    if (platform::MsgBox(QStringLiteral("Estas seguro que quieres borrar todos los productos del Resúmen?"),
                         platform::Icon::Question, platform::Buttons::YesNo)
        != platform::Answer::Yes)
        return;
    if (Clear_summary())
        Unload();
}

void frmSummary::Unload()
{
    // Deferred: the button that asked for it is still in its click.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void frmSummary::cmdIDNumber_Click()
{
    platform::Busy_pointer busy;
    Open_index_by_number();
}

void frmSummary::cmdMaterial_Click()
{
    platform::Busy_pointer busy;
    Open_index_by_name();
}

void frmSummary::cmdChemWeap_Click()
{
    platform::Busy_pointer busy;
    Open_chemical_agents();
}

void frmSummary::cmdPrintSummary_Click()
{
    Print_summary_report();
}

void frmSummary::cmdSavePdf_Click()
{
    Save_summary_report();
}

void frmSummary::cmdGuide_Click(int i)
{
    const QString id = lblID[i]->text();
    const QString name = Row_name(txtMat[i]);
    // The row's own flags answer the water question.
    const Product_marks marks{.inhalation = !lblTIH[i]->text().isEmpty(),
                              .water_reactive = lblDWRM[i]->text() == Mark_text({.water_reactive = true}),
                              .agent = lblDWRM[i]->text() == Mark_text({.agent = true})};
    const QString supplement = Inhalation_supplement(Tag(txtMat[i]), marks.agent);
    const bool green = row_green_[i];
    Product_label = name + QStringLiteral(", Número de identificación ") + id;
    frmGuidePage* page = Open_guide_page(Tag(cmdGuide[i]));
    if (!page)
        return;

    const std::optional<QString> suffix = Distances_suffix(marks, green, supplement);
    if (!suffix) {
        page->Set_print_qualifier(QString());
        return;
    }
    page->Show_distances(sql::Distances_lookup(id, name, *suffix));
    page->Set_print_qualifier(QStringLiteral(" ") + *suffix);
}

void frmSummary::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!activation_hooked_)
        activation_hooked_ = Watch_activation(this, [this](bool active) {
            if (active)
                Form_Activate();
        });
}

} // namespace vexo
