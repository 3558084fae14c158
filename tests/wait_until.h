// Waiting in widget tests: processes events until a condition holds or the time runs out, and
// says which, so that the test itself decides (EXPECT_TRUE(WaitUntil(...))).
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

namespace test {

template <typename Condition>
[[nodiscard]] bool WaitUntil(Condition condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qSleep(5);
    }
    return true;
}

} // namespace test
