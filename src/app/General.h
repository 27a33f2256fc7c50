// Shared state of the whole program and the routines every window uses.
// Windows are parameterised through these globals: the opener sets them,
// then rebuilds the window, which reads them in its load.
#pragma once

#include "data/Database.h"
#include "data/RecordSet.h"

#include <QColor>
#include <QString>

#include <array>
#include <memory>

namespace vexo {

class frmMain;

// --- start-up, database and find dialog ---------------------------------
extern frmMain* Main_form;                   // the one main window
extern QString Database_path;                // full path of the database in use
extern std::unique_ptr<Database> Main_database; // every query runs on it
extern QString Ini_file_path;                // where the database path is remembered
extern qint16 Index_mode;                    // 0 by ID number, 1 by name, further values by the find dialog
extern bool Chemical_agents_only;            // index shows only chemical/biological agents
extern bool Summary_empty;                   // table Summary holds no row
extern bool Pages_inactive;                  // index pages exist but are not the active child
extern std::array<QString, 7> Find_saved_IDs; // find dialog input kept while it is closed
extern qint16 Find_saved_match;
extern QString Find_saved_name;
extern qint16 Find_saved_order;
extern QString Find_saved_guide;
extern QColor Cyan_highlight;                // alphabetical index and result sets
extern QColor Green_highlight;               // summary rows about a spill in water
extern QString Guide_SQL;                    // guide list query, composed before the chooser opens
extern QString Water_SQL;                    // water-reactive list query
extern QString Green_SQL;                    // distances table query
extern std::unique_ptr<RecordSet> Guide_records; // open result of Guide_SQL

// --- hand-over between windows --------------------------------------------
extern QString Index_SQL;                    // query shown by the index pages
extern std::unique_ptr<RecordSet> Index_records;
extern RecordSet::Bookmark Index_first_bookmark; // origin of every index page
extern QColor Index_highlight;               // colour of flagged rows in the index
extern QString Product_label;                // one-shot product line for the next guide page
extern QString Guide_page_SQL;               // sentence rows of the guide page being built
extern std::unique_ptr<RecordSet> Guide_page_records;
extern QString Box_SQL;                      // distances lookup for the distances box
extern std::unique_ptr<RecordSet> Green_records;
extern std::unique_ptr<RecordSet> Water_records;
extern RecordSet::Bookmark Water_first_bookmark;
extern QString Summary_SQL;
extern std::unique_ptr<RecordSet> Summary_records;
extern RecordSet::Bookmark Summary_first_bookmark;
extern int Page_number;                      // printed page being written
extern double Header_bottom;                 // where the printed header ends, twips

// Colours of the paged lists.
inline const QColor Yellow_highlight{255, 255, 0};
inline const QColor White{255, 255, 255};

// The program's entry: splash, main window load, then the event loop.
int Main();

void Initialize_globals();
// Yes/No question before leaving; true on Yes.
bool Confirm_exit();
// Fatal box for an error a handler cannot classify; ends the program.
[[noreturn]] void Unknown_error(qint16 location, qint16 number);

// Version as the splash and About box show it: "2.00" for 2.0.0.
QString Version_text();

} // namespace vexo
