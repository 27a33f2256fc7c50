// Table 3: the large spills of six common toxic gases by transport container,
// by day and by night at low, moderate and high wind, fifteen lines a page:
// each gas's heading line, then one line per container.
#pragma once

#include "distances/Large_spills.h"

#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QScrollBar;

namespace vexo {

class frmTable3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 15;

    // The gas the next opening starts at (its heading on the first line, or
    // on the last page when it is near the end); "" for the first page.
    static QString Opened_at;

    // The load: reads every row and shows the page of `Opened_at`.
    explicit frmTable3(QWidget* parent = nullptr);

    void Insert_Text_Language();
    // Fills the page from line `first` on.
    void Put_table3_data(int first);
    // The line of the gas's heading, or -1.
    int Line_of(const QString& id) const;

    void vscData_Change(int value);

    // One line of the table: a block heading or a container's row.
    struct Line {
        int block = 0;
        QString heading;          // "1005  Ammonia, …" for a heading line
        const Large_spill* row = nullptr;  // the container's row otherwise
    };

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Tests find these by object name: "vscData", "lblBlock_3", "lblValue_3_0"….
    QFrame* frmHeader;
    QLabel* lblTitle;
    QFrame* frmTitle;
    QLabel* lblContainerText;
    QLabel* lblIsolate;
    QLabel* lblProtect;
    QLabel* lblDay;
    QLabel* lblNight;
    std::array<QLabel*, 6> lblWind{};   // day low, moderate, high, then night
    std::array<QLabel*, kLarge_spill_values> lblUnit{};
    QWidget* frmData;
    QScrollBar* vscData;
    QLabel* lblNote;
    std::array<QLabel*, kRows> lblBlock{};     // heading lines
    std::array<QLabel*, kRows> lblContainer{};
    std::array<std::array<QLabel*, kLarge_spill_values>, kRows> lblValue{};

    void Form_Resize();
    int Column_left(int column) const;

    std::vector<Large_spill> spills_;
    std::vector<Line> lines_;
    int opened_block_ = 0;
    int row_height_ = 0;
    int container_width_ = 0;
    int value_width_ = 0;
    std::array<QLabel*, 2> panels_{};  // behind the value columns: headings, rows
    // Between the groups and at the end, in the rows (0-3) and the headings
    // (4-7); under the protection heading (8).
    std::array<QFrame*, 9> rules_{};
};

} // namespace vexo
