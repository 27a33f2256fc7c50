// The column grid shared by the distances table and the distances box: the
// headings over the twelve values, one row of value cells, and the panels
// and lines behind them. Both windows place everything from one grid, so a
// value always stands under its own unit heading.
#pragma once

#include "app/Row_cells.h"

#include <QFrame>
#include <QLabel>
#include <QString>

#include <array>

class QPushButton;
class QScrollBar;
class QSvgRenderer;
class QWheelEvent;

namespace vexo {

class RecordSet;

// The twelve values of a distance record, in the order of the columns:
// small spill then large spill; each isolation, day, night; each metric
// then imperial. An imperial column has an odd index.
enum Value_column {
    SIM, SIF, SPDK, SPDM, SPNK, SPNM,
    LIM, LIF, LPDK, LPDM, LPNK, LPNM,
    Value_count
};

// Field of table Green behind each column.
const std::array<QString, Value_count>& Value_fields();

// Text of a cell as shown: metric bare, imperial always in parentheses, so
// a figure the book gives in metric alone reads "()" beside it.
QString Cell_text(int column, const QString& value);

// A text the book prints across a whole spill group in place of its six
// figures ("Consulte la Tabla 3"), or "" when the group holds figures.
QString Group_note(const std::array<QString, Value_count>& values, bool large);

// Horizontal places, in pixels of the window, of every column.
struct Distance_grid {
    int id_left = 0, id_width = 0;
    int name_left = 0, name_width = 0;
    int value_width = 0;
    std::array<int, Value_count> left{};
    int right = 0;  // right edge of the last value column

    int group_left(bool large) const { return left[large ? LIM : SIM]; }
    int group_right(bool large) const { return left[large ? LPNM : SPNM] + value_width; }

    // The grid for a data area `width` pixels wide (the name takes the
    // slack, down to its minimum).
    static Distance_grid For_width(int width, const QFont& font);
    // The narrowest width at which every column keeps its size.
    static int Minimum_width(const QFont& font);
    static int Preferred_width(const QFont& font);
};

// The headings frame `frmTitle`: spill groups, actions, periods and units,
// with the two spill descriptions that pop up while a group heading is held.
class Distances_heading : public QFrame {
    Q_OBJECT
public:
    // The descriptions pop up over `popup_parent` (the window), so a long
    // one is never cut by the headings frame.
    Distances_heading(QWidget* parent, QWidget* popup_parent);

    // The captions of every heading and both spill descriptions.
    void Insert_Text_Language();

    // Places every heading on the grid; the frame takes the height it needs.
    void Place(const Distance_grid& grid);
    void Place_small_spill(const Distance_grid& grid);
    void Place_large_spill(const Distance_grid& grid);

    QLabel* lblIDText;
    QLabel* lblMatText;
    QLabel* lblSmallGray;
    QLabel* lblLargeGray;
    QLabel* lblSmall;
    QLabel* lblLarge;
    QLabel* lblSIsolate;
    QLabel* lblSProtect;
    QLabel* lblLIsolate;
    QLabel* lblLProtect;
    QLabel* lblSPDay;
    QLabel* lblSPNight;
    QLabel* lblLPDay;
    QLabel* lblLPNight;
    std::array<QLabel*, Value_count> unit{};  // lblSIMeter, lblSIFeet, lblSPDKText, … by column
    QFrame* lneSProtect;  // under the small-spill protect heading
    QFrame* lneLProtect;
    std::array<QFrame*, 5> lines{};  // vertical: before small, small protect, before large, large protect, end
    QLabel* lblToolTip1;  // small spill description
    QLabel* lblToolTip2;  // large spill description

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place_group(const Distance_grid& grid, bool large);
    int line_height_ = 0;
};

// Shows a pop-up while a heading is held: its left edge at the anchor's left
// plus half the pointer's offset `pointer_x` in the pressed heading, its top `top` pixels
// into `frame`, then moved up and left as needed to stay inside `frame`.
void Pop_up(QWidget* popup, const QWidget* anchor, int pointer_x, const QWidget* frame, int top);

// One row of the table: ID, name, twelve value cells, the two group notes
// and, in the table only, the danger banner.
struct Distance_row {
    QLabel* lblID = nullptr;
    QLabel* lblMat = nullptr;
    std::array<QLabel*, Value_count> values{};
    std::array<QLabel*, 2> notes{};  // small, large: a text the book gives instead of figures
    QLabel* lblDanger = nullptr;
    // In place of the large-spill note that sends the reader to Table 3,
    // when the database has it: opens Table 3 at this row's gas.
    QPushButton* cmdTable3 = nullptr;

    // Creates the cells in `parent`; with_banner for the table's rows. The
    // cells are named after the row's index ("lblID_3", "lblValue_3_0").
    void Create(QWidget* parent, bool with_banner, int index);
    // The current record's ID, name and twelve values.
    // `lines`: how many lines the name may take; 0 for as many as it needs.
    void Fill_name(const RecordSet& records, int lines);
    void Fit_name(int lines);
    void Fill_values(const RecordSet& records);
    // Values (or the group notes) shown, or all of them hidden.
    void Show_values(bool visible);
    void Place(const Distance_grid& grid, int top, int height);

private:
    void Name(int index);
};

// The gray panels and separator lines of the data frame `frmData`.
struct Data_panels {
    QLabel* lblGrayPanel1 = nullptr;
    QLabel* lblGrayPanel2 = nullptr;
    std::array<QFrame*, 5> lines{};

    void Create(QWidget* parent);
    void Place(const Distance_grid& grid, int height);
};

// Row height that holds a name on two lines.
int Distance_row_height(const QFont& font);

// The grays behind the headings and behind the value columns of the rows.
const QColor& Heading_gray();
const QColor& Panel_gray();

// The wheel pages these windows: a notch moves the scroll bar three rows.
void Page_by_wheel(QScrollBar* bar, const QWheelEvent* event);

} // namespace vexo
