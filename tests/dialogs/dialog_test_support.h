#pragma once
// Helpers of the dialog tests: finding form widgets by object name and answering the warning
// box that a refused OK raises.
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// The child widget of the given kind and object name; stops the test program when it is missing.
template <typename T>
T* child(const QObject& parent, const char* objectName)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(objectName));
    if (found == nullptr)
        qFatal("%s has no child named %s", qPrintable(parent.objectName()), objectName);
    return found;
}

// While alive, closes every modal warning box as soon as it appears and records what it said.
class WarningAnswerer {
public:
    WarningAnswerer()
    {
        QObject::connect(&poll, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            ++count;
            title = box->windowTitle();
            text = box->text();
            box->done(QMessageBox::Ok);
        });
        poll.start(5);
    }

    int count = 0;
    QString title;
    QString text;

private:
    QTimer poll;
};
