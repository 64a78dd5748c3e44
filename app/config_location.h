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

// The folder of the save file "./quorsave.txt": the program's folder when the configuration
// file is kept there, otherwise (an installed program) the home folder.
QString saveFileFolder(const QString& configPath, const QString& programDir, const QString& homeDir);

}  // namespace qv
