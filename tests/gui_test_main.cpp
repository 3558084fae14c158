// Entry of the widget test programs: a headless application around GoogleTest.
#include <QApplication>
#include <QStandardPaths>
#include <QThreadPool>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
#if defined(__SANITIZE_THREAD__) // ThreadSanitizer (GONILUX_TSAN)
    // Qt's global pool, which only Qt Gui's image slices use, keeps one thread for the whole run:
    // the pool's bookkeeping inside Debian's Qt, which ThreadSanitizer cannot follow, then never
    // passes from one of its threads to another (scripts/tsan.supp).
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
