#pragma once
// The offscreen GUI the benchmarks paint with, started once.
#include <QGuiApplication>

inline void startOffscreenGui()
{
    static char program[] = "quorvel_bench", platformOption[] = "-platform", platform[] = "offscreen";
    static char* arguments[] = {program, platformOption, platform, nullptr};
    static int argumentCount = 3;
    static QGuiApplication application(argumentCount, arguments);
}
