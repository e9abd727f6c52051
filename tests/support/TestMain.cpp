#include <QGuiApplication>
#include <gtest/gtest.h>

// Every test program gets one GUI application object: the run loop, timers, network replies
// and font rendering all need it. Tests run with the offscreen platform.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
