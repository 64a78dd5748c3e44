#pragma once
// The offscreen GUI the batch companion paints pictures and documents with.
#include <QGuiApplication>

#include <optional>

namespace qv {

// The offscreen GUI for the length of one command, unless the process already has one (the
// batch companion's tests in a window test); the text commands never start it, so they run
// without any Qt platform plugin.
class OffscreenGui {
public:
    OffscreenGui()
    {
        if (QGuiApplication::instance() == nullptr)
            application_.emplace(argumentCount_, arguments_);
    }

private:
    char program_[12] = "quorvel-cli";
    char platformOption_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* arguments_[4] = {program_, platformOption_, platform_, nullptr};
    int argumentCount_ = 3;
    std::optional<QGuiApplication> application_;
};

}  // namespace qv
