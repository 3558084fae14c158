// The main function of the benchmarks that draw: a Qt application on the offscreen platform
// (unless QT_QPA_PLATFORM names another), then Google Benchmark.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>
#include <functional>

namespace gonilux::bench {

// `Application` is QGuiApplication or QApplication; `prepare` runs once it exists.
template <class Application>
int RunQtBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    if (prepare) prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace gonilux::bench
