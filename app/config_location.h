#pragma once
// Where the window keeps its configuration file quorvel.cfg.
#include <QString>

namespace qv {

// The configuration file beside the program when programDir already holds one, or when that
// folder can be written and is not the bin folder of an installed tree (one whose
// ../share/applications holds the program's desktop entry); otherwise in userConfigDir.
QString chooseConfigFile(const QString& programDir, const QString& userConfigDir);

// The same for this run: the program's folder and the per-user configuration folder
// (QStandardPaths::AppConfigLocation, e.g. ~/.config/quorvel).
QString configFilePath();

}  // namespace qv
