#pragma once
// Base of the main-window test classes: each test runs in a fresh temporary working folder on
// settings and a page of its own, and every status-bar message the window shows is kept.
#include <QDir>
#include <QObject>
#include <QStatusBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include "app/quorvel_app.h"
#include "base/page_buffer.h"
#include "base/settings.h"
#include "config/settings_io.h"

class WindowTest : public QObject {
protected:
    // A fresh working folder, settings and page; no window yet.
    void startFresh()
    {
        previousDirectory_ = QDir::currentPath();
        directory_ = new QTemporaryDir();
        QDir::setCurrent(directory_->path());
        settings_ = qv::SettingsRecord();
        page_ = qv::PageBuffer();
        messages_.clear();
    }

    // The window on those settings and page, shown and active.
    QuorvelApp* makeWindow(const QString& configPath = qv::kConfigFileName)
    {
        window_ = new QuorvelApp(settings_, page_, configPath);
        connect(window_->statusBar(), &QStatusBar::messageChanged, this,
                [this](const QString& message) { messages_ << message; });
        window_->show();
        window_->activateWindow();
        [[maybe_unused]] bool active = QTest::qWaitForWindowActive(window_);
        return window_;
    }

    // The window and the folder go; the previous working folder comes back.
    void cleanUp()
    {
        delete window_;
        window_ = nullptr;
        QDir::setCurrent(previousDirectory_);
        delete directory_;
        directory_ = nullptr;
    }

    QStringList messages_;
    QTemporaryDir* directory_ = nullptr;
    QString previousDirectory_;
    qv::SettingsRecord settings_;
    qv::PageBuffer page_;
    QuorvelApp* window_ = nullptr;
};
