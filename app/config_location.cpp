#include "app/config_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "config/settings_io.h"

namespace qv {

namespace {

bool isInstalledBinFolder(const QDir& programDir)
{
    return QFileInfo::exists(programDir.filePath("../share/applications/" QUORVEL_APP_ID ".desktop"));
}

}  // namespace

QString chooseConfigFile(const QString& programDir, const QString& userConfigDir)
{
    const QString fileName = QFileInfo(QString::fromLatin1(kConfigFileName)).fileName();
    const QDir program(programDir);
    const QString besideProgram = program.absoluteFilePath(fileName);
    if (QFileInfo::exists(besideProgram))
        return besideProgram;
    if (QFileInfo(program.absolutePath()).isWritable() && !isInstalledBinFolder(program))
        return besideProgram;
    return QDir(userConfigDir).absoluteFilePath(fileName);
}

QString saveFileFolder(const QString& configPath, const QString& programDir, const QString& homeDir)
{
    const bool besideProgram = QFileInfo(configPath).absoluteDir() == QDir(programDir);
    return besideProgram ? QDir(programDir).absolutePath() : QDir(homeDir).absolutePath();
}

QString configFilePath()
{
    return chooseConfigFile(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

}  // namespace qv
