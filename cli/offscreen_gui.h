#pragma once
// The offscreen GUI the batch companion paints pictures and documents with.
#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace qv {

// The offscreen GUI for the length of one command, unless the process already has one (the
// batch companion's tests in a window test); the text commands never start it, so they run
// without any Qt platform plugin. While it runs, Qt's own notes and warnings (such as a
// missing runtime directory) are kept off standard error, so that a failure stays one line.
class OffscreenGui {
public:
    OffscreenGui()
    {
        if (QGuiApplication::instance() != nullptr)
            return;
        previousHandler_ = qInstallMessageHandler(onlyErrors);
        application_.emplace(argumentCount_, arguments_);
    }
    ~OffscreenGui()
    {
        if (!application_)
            return;
        application_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    static void onlyErrors(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "quorvel-cli: %s\n", qPrintable(message));
    }

    QtMessageHandler previousHandler_ = nullptr;
    char program_[12] = "quorvel-cli";
    char platformOption_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* arguments_[4] = {program_, platformOption_, platform_, nullptr};
    int argumentCount_ = 3;
    std::optional<QGuiApplication> application_;
};

}  // namespace qv
