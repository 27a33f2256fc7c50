// The distances of one material, under the headings of the distances table;
// opened over the guide page and gone as soon as another window is active.
#pragma once

#include "data/RecordSet.h"
#include "distances/Distance_columns.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QFrame;
class QMdiSubWindow;

namespace vexo {

class frmGreenBox : public QWidget {
    Q_OBJECT
public:
    // The load: opens `Box_SQL` and shows its first record; a lookup that
    // finds nothing leaves the headings over an empty row.
    explicit frmGreenBox(QWidget* parent = nullptr);

    void insert_data_in_field(int Index);
    void Place_large_spill();
    void Place_small_spill();
    void Correct_frmData();
    void change_field_position(int Index, int top_position);
    void Insert_Data_Language();

    // True when the lookup found the material's row.
    bool Found() const { return records_ && !records_->Empty(); }
    // The window the box was opened over: the box goes with it, and it comes
    // back to the front when the box goes because the user turned to a
    // window of its own.
    void Opened_over(QMdiSubWindow* opener);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Tests find these by object name: "frmData", "lblID_0", "lblValue_0_0"….
    QFrame* frmHeader;
    Distances_heading* frmTitle;
    QWidget* frmData;
    Data_panels panels;
    Distance_row row;  // row 0, the only one

    void Form_Resize();
    void Other_window_activated(QWidget* frame);
    void Close_box(bool opener_to_front);
    std::unique_ptr<RecordSet> records_;
    QPointer<QMdiSubWindow> opener_;
    bool closing_ = false;
    Distance_grid grid_;
    int row_height_ = 0;
    bool activation_hooked_ = false;
};

} // namespace vexo
