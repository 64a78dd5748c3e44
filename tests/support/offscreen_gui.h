#pragma once
// Pictures need a GUI; the offscreen one serves without a display. Started once per program.
#include <QGuiApplication>

namespace test {

inline void startOffscreenGui()
{
    static char program[] = "maps_tests", platformOption[] = "-platform", platform[] = "offscreen";
    static char* arguments[] = {program, platformOption, platform, nullptr};
    static int argumentCount = 3;
    static QGuiApplication application(argumentCount, arguments);
}

}  // namespace test
