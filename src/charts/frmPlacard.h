// The chart window: placards, road trailers or rail tank cars, one chart at a
// time over one array of pictures. A left click on a picture opens its guide;
// holding the right button shows it enlarged under the pointer.
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace vexo {

class Svg_picture;
struct Chart_range;

// The chart routines the main window, the welcome page and the table of
// contents call: each shows the chart window with one chart, building the
// window when it is not open.
void Load_placards();
void Load_road_trailers();
void Load_rail_cars();

class frmPlacard : public QWidget {
    Q_OBJECT
public:
    // The load: pictures, tool tips, tags and fixed texts. The chart routines
    // choose what is shown.
    explicit frmPlacard(QWidget* parent = nullptr);

    void change_placards_visible(bool visible_placard, qint16 picstart, qint16 picend);
    // Lays out the pictures first..last of the chart named "Placards", "Road"
    // or "Rail".
    void draw_pics(qint16 first, qint16 last, const QString& name);
    // Places the caution texts under the pictures of the road or rail chart.
    void pos_labels(qint16 first, qint16 last, const QString& name);
    // Shows the chart's caution texts under its pictures, the enlarged
    // picture hidden, and grows the window to hold them.
    void Show_texts(const Chart_range& range);

    // Enlarged pictures are this many times their chart size.
    static constexpr double kPlacard_zoom = 3.0;
    static constexpr double kVehicle_zoom = 2.5;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each named as here; picture i as "imgSmall_i".
    std::array<Svg_picture*, 40> imgSmall{}; // element 26 does not exist
    Svg_picture* imgZoom;
    QLabel* lblCaution;
    QLabel* lblTank1;
    QLabel* lblTank2;
    QLabel* lblTank3;
    QLabel* lblStar;
    QLabel* lblWarning;

    void Insert_Text_Language();
    void imgSmall_MouseDown(int Index, Qt::MouseButton Button, QPoint position);
    void imgSmall_MouseUp(int Index, Qt::MouseButton Button);
};

} // namespace vexo
