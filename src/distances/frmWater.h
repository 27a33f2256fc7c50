// The list of materials that give off large amounts of toxic gas when
// spilled in water: each with its guide and the gases it produces, leading
// to its guide page and distances, and to the gases in the index.
#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vexo {

class frmWater : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;

    // The load: opens `Water_SQL` into `Water_records` and shows the first
    // page.
    explicit frmWater(QWidget* parent = nullptr);

    // Fills the 15 rows from the current record of `Water_records` on.
    void Put_water_data();
    void Change_visible_field(bool Visible_value, int Index);
    void Insert_Text_Language();
    // Stores the material (and for a spill in water the gases it gives off)
    // in the summary; true when the user asks to see the summary.
    bool call_see_summary(const QString& ID_num, const QString& name_mat, bool respwater);

    // Handlers, public so that callers and tests act as the user does.
    void vscData_Change(int value);
    void cmdGuide_Click(int Index);
    void cmdProduct2_Click(int Index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Tests find these by object name: "vscData", "lblID_3", "cmdGuide_3"….
    QLabel* lblTitle1;
    QLabel* lblTitle2;
    QLabel* lblTitle4;
    QLabel* lblIDText;
    QLabel* lblGuideText;
    QLabel* lblMatText;
    QLabel* lblPIHText;
    QFrame* frmData;
    QScrollBar* vscData;
    std::array<QLabel*, kRows> lblID{};
    std::array<QPushButton*, kRows> cmdGuide{};
    std::array<QLineEdit*, kRows> txtMat{};
    std::array<QPushButton*, kRows> cmdProduct2{};
    // What each produced-gases button searches: the gases' index names.
    std::array<QStringList, kRows> gas_names{};

    void Form_Resize();
    void Show_gases(int Index);
    int last_filled_ = -1;
    int row_height_ = 0;
};

} // namespace vexo
