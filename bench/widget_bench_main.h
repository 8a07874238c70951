#pragma once

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <functional>

namespace zav {

// The main of a benchmark program that draws widgets: offscreen unless the caller chose a
// platform, so the figures need no display and match what CI measures. `beforeExit` releases
// what must not outlive the application.
inline int RunWidgetBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit) beforeExit();
    return 0;
}

} // namespace zav
