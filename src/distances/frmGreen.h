// The table of initial isolation and protective action distances: fifteen
// materials a page in ID order, small and large spills, day and night,
// metric with the imperial figure beside it.
#pragma once

#include "data/RecordSet.h"
#include "distances/Distance_columns.h"

#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QScrollBar;

namespace vexo {

class frmGreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;

    // The load: opens `Green_SQL` into `Green_records` (kept open after the
    // window goes) and shows the first page.
    explicit frmGreen(QWidget* parent = nullptr);

    // The twelve values of the current record into row Index.
    void insert_data_in_field(int Index);
    void Place_large_spill();
    void Place_small_spill();
    // Stretches the gray panels and the column lines over the rows.
    void Correct_frmData();
    // Creates the cells of row Index; done once per row, at load.
    void load_new_data(int Index);
    void change_visible(int Index, bool Visible_value);
    void change_field_position(int Index, int top_position);
    // Fills the page from the current record of `Green_records` on.
    void Put_green_data();
    // Values shown (flag true), or the danger banner in their place.
    void change_reaction(bool flag, int Index);
    void Insert_Text_Language();

    // Handlers, public so that callers and tests act as the user does.
    void vscData_Change(int value);
    void lblDanger_Click(int Index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests find these by object name: "vscData", "lblID_3", "lblValue_3_0"….
    QFrame* frmHeader;
    QLabel* lblTitleIIPAD;
    Distances_heading* frmTitle;
    QWidget* frmData;
    QScrollBar* vscData;
    QLabel* picTooltip3;  // isolation zone diagram
    QLabel* picToolTip4;  // protective action zone diagram
    Data_panels panels;
    std::array<Distance_row, kRows> rows;

    void Form_Resize();
    Distance_grid grid_;
    int row_height_ = 0;
    int last_row_ = kRows - 1;  // highest row index a page uses
    RecordSet::Bookmark first_bookmark_ = 0;
};

} // namespace vexo
