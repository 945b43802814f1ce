#pragma once
// The skins and fonts built beside the tests, loaded as the program loads them at start-up.

#include <QDir>
#include <QString>

#include "app/voltrane_app.h"

namespace voltrane {

// Loads the built skins (VOLTRANE_SKIN_DIR, the skins folder of the build) into the process's skin
// images and interface fonts; false when they cannot be read.
inline bool LoadBuiltSkins() {
    QDir skins(QStringLiteral(VOLTRANE_SKIN_DIR));
    if (!skins.cdUp()) return false;
    CVoltraneApp app;
    return app.InitResources(skins.path() + QLatin1Char('/'), skins.path() + QStringLiteral("/skins/"));
}

}  // namespace voltrane
