// How the rest of the program opens the distances windows: the main
// window's commands, the welcome page, the contents, the guide page viewer.
#pragma once

#include <QPixmap>
#include <QString>

namespace vexo {

// `Green_SQL` := the whole table; the distances table is rebuilt and shown.
void Open_distances_table();
// `Water_SQL` := the whole list; the water-reactive list is rebuilt and shown.
void Open_water_list();
// The water-reactive list of one material (a danger banner of the table).
void Open_water_material(const QString& id);
// Table 3 at the gas `id` ("" for its first page), when the database has it.
void Open_table3(const QString& id);
// The distances box of the material that `Box_SQL` selects.
void Open_distances_box();
// The narrowest the distances box can be in the program's font: its columns
// whole and its margins.
int Distances_box_width();
// Lets the guide page viewer's distances button open the distances box; run
// once at start-up.
void Install_distances_box();

// One of our diagrams ("isolation", "protection") drawn `width` pixels wide.
QPixmap Diagram(const QString& name, int width);

} // namespace vexo
