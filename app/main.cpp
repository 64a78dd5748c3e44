#include <QApplication>
#include <QDir>
#include <QFont>

#include "app/quorvel_app.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setFont(QFont("helvetica", 10));
    // The configuration and save files live beside the program.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QuorvelApp window;
    window.show();
    return QApplication::exec();
}
