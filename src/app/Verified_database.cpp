// The digest of the last database file found valid, kept in the settings.
#include "app/Verified_database.h"

#include "app/General.h"
#include "data/Database.h"
#include "data/Validation.h"
#include "platform/Settings.h"

namespace vexo {

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kVerified = QStringLiteral("VerifiedDatabase");

} // namespace

Validation_outcome Validate_main_database()
{
    if (!Main_database)
        return {};
    const QString verified = platform::Get_setting(kSection, kVerified, {});
    const validation::Result checked = validation::Validate(*Main_database, verified);
    if (checked.valid && !checked.digest.isEmpty() && checked.digest != verified)
        platform::Save_setting(kSection, kVerified, checked.digest);
    return {checked.valid, checked.summary_empty};
}

} // namespace vexo
