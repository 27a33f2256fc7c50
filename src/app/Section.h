// The sections of the reference that the main window's commands, the welcome
// page and the table of contents open, by name; windows that ask for a
// section need this and nothing of the frame.
#pragma once

namespace vexo {

enum class Section {
    Index_by_number,
    Index_by_name,
    Chemical_agents,
    Guides,
    Placards,
    Road_trailers,
    Rail_cars,
    Distances_table,
    Water_list,
    Contents,
    Summary,
    Find,    // the find dialog, over the index pages
    Welcome, // the welcome page, brought to the front
    Table3,  // the large spills by container, over a database that has them
};

} // namespace vexo
