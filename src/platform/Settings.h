// The per-user settings store: text values by section and key, kept in an
// INI file of the user's configuration folder under the program's title.
#pragma once

#include <QString>

namespace vexo::platform {

QString Get_setting(const QString& section, const QString& key, const QString& default_value);
void Save_setting(const QString& section, const QString& key, const QString& value);

} // namespace vexo::platform
