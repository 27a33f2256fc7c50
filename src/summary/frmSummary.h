// The summary report: the products collected for the incident, fifteen a
// page, each leading back to its guide page and distances; selected rows can
// be deleted and the whole summary cleared.
#pragma once

#include "data/RecordSet.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vexo {

// The Summary command, the index pages' summary button and the water
// warning: opens the report anew. Does nothing while the summary is empty.
void Open_summary();

class frmSummary : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;

    // The load: composes `Summary_SQL` and opens it into `Summary_records`.
    explicit frmSummary(QWidget* parent = nullptr);
    // The unload: closes `Summary_records`.
    ~frmSummary() override;

    static bool No_record(const RecordSet& A_recordset);
    void Put_summary_data();
    void Change_bold_fields(bool Bold_value, int Index);
    void Change_color(int Index);
    void change_visible(bool visible_lbl, int Index);
    void Clear_checked_delete();
    void Change_DWRM_IIPAD_width();
    void Insert_Text_Language();
    void Pos_table(bool flag);

    // Handlers, public so that callers and tests act as the user does.
    void vscData_Change(int value);
    void chkDelete_Click();
    void cmdDeleteItem_Click();
    void cmdClearSum_Click();
    void cmdIDNumber_Click();
    void cmdMaterial_Click();
    void cmdChemWeap_Click();
    // The summary on paper: printed, or saved as a PDF file.
    void cmdPrintSummary_Click();
    void cmdSavePdf_Click();
    void cmdGuide_Click(int index);
    // Every return to the window shows the store as it is now, from the top.
    void Form_Activate();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Tests find these by object name: "vscData", "txtMat_3", "chkDelete_3"….
    QFrame* frmData;
    QFrame* frmDelete;
    QLabel* lblDelete;
    QLabel* lblIDText;
    QLabel* lblMatText;
    QLabel* lblGuideTxt;
    QLabel* lblSpecHaz;
    QScrollBar* vscData;
    QPushButton* cmdDeleteItem;
    QPushButton* cmdClearSum;
    QPushButton* cmdIDNumber;
    QPushButton* cmdMaterial;
    QPushButton* cmdChemWeap;
    QPushButton* cmdPrintSummary;
    QPushButton* cmdSavePdf;
    std::array<QCheckBox*, kRows> chkDelete{};
    std::array<QLabel*, kRows> lblID{};
    std::array<QLineEdit*, kRows> txtMat{};
    std::array<QPushButton*, kRows> cmdGuide{};
    std::array<QLabel*, kRows> lblDWRM{};
    std::array<QLabel*, kRows> lblTIH{};

    void Build_controls();
    void Form_Resize();
    void Place_rows();
    void Unload();

    int shown_rows_ = 0;
    bool whole_set_fits_ = true;
    bool activation_hooked_ = false;
    std::array<bool, kRows> row_green_{};
};

} // namespace vexo
