// The main window's command table: for each command, the menu item, the
// toolbar key and the welcome page button that run it, what it opens and
// where it shows the busy pointer. Connecting, enabling and routing all read
// this one table; a new command is one more row.
#pragma once

#include "app/Section.h"

#include <span>
#include <variant>

namespace vexo {

class frmMain;

// Where a command is run from; a command shows the busy pointer only from the
// places its row names.
enum Run_from : unsigned {
    From_menu = 1,
    From_toolbar = 2,
    From_page = 4, // a welcome page button: the page itself is disabled meanwhile
    From_everywhere = From_menu | From_toolbar | From_page,
};

struct Command {
    const char* item;   // the menu item's name, or nullptr
    const char* key;    // the toolbar button's key, or nullptr
    const char* button; // the welcome page button's name, or nullptr
    std::variant<Section, void (frmMain::*)()> does; // the section it opens, or the frame's own work
    unsigned busy;      // Run_from flags
};

std::span<const Command> Commands();

} // namespace vexo
