#include <QApplication>
#include <QDir>
#include <QFont>

#include "app/config_location.h"
#include "app/quorvel_app.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The per-user configuration folder is ~/.config/quorvel; the desktop entry names the icon.
    QApplication::setApplicationName("quorvel");
    QGuiApplication::setDesktopFileName(QUORVEL_APP_ID);
    QApplication::setFont(QFont("helvetica", 10));
    const QString configPath = qv::configFilePath();
    // The save file lives beside the program, or in the home folder for an installed one.
    QDir::setCurrent(qv::saveFileFolder(configPath, QCoreApplication::applicationDirPath(), QDir::homePath()));
    qv::SettingsRecord settings;
    qv::PageBuffer page;
    QuorvelApp window(settings, page, configPath);
    window.show();
    return QApplication::exec();
}
