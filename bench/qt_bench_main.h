// The main function of the benchmarks that draw: a Qt application on the offscreen platform
// (unless QT_QPA_PLATFORM names another), then Google Benchmark.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>

namespace gonilux::bench {

// Records the longest gap between the ticks of a 1 ms timer on the calling thread's event loop
// from Start() on: how long the window would not have answered.
class LongestTickGap {
  public:
    LongestTickGap() {
        ticks_.setInterval(1);
        QObject::connect(&ticks_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, sinceTick_.nsecsElapsed() / 1e6);
            sinceTick_.restart();
        });
    }
    void Start() {
        sinceTick_.start();
        ticks_.start();
    }
    void Stop() { ticks_.stop(); }
    double Milliseconds() const { return longest_; }

  private:
    QTimer ticks_;
    QElapsedTimer sinceTick_;
    double longest_ = 0;
};

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
