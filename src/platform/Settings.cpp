// Settings through QSettings, written to disk at once so that ending the
// program right after a save loses nothing.
#include "platform/Settings.h"

#include <QSettings>

namespace vexo::platform {

namespace {

QSettings Store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("MARDOVI VEXO"),
                     QStringLiteral("MARDOVI VEXO"));
}

} // namespace

QString Get_setting(const QString& section, const QString& key, const QString& default_value)
{
    const QSettings store = Store();
    return store.value(section + u'/' + key, default_value).toString();
}

void Save_setting(const QString& section, const QString& key, const QString& value)
{
    QSettings store = Store();
    store.setValue(section + u'/' + key, value);
    store.sync();
}

} // namespace vexo::platform
