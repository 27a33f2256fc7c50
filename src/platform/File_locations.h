// Where the program's files are. A portable copy (and the build folder) keeps
// everything beside the program. An installed program finds its default
// database and documents in its installed data folder and keeps the ini file
// and a writable copy of the database in the user's own data folder.
#pragma once

#include <QString>

namespace vexo::platform {

// The folder holding the default database and Content/espanol: the installed
// data folder when the program runs installed, otherwise its own folder.
QString Data_folder();

// True when the ini file and the database copy are the user's own: no ini
// file stands beside the program, and the program runs installed or its
// folder cannot be written.
bool Files_per_user();

// The user's own data folder, made if missing.
QString User_folder();

// The ini file: beside the program, or in the user's folder.
QString Ini_file();

// The database a first start points the ini file at: the one in the data
// folder, or the user's copy of it.
QString Default_database();

// The default database as installed (or beside a portable copy).
QString Installed_database();

} // namespace vexo::platform
