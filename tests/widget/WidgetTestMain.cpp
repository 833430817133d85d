#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// Widget tests run without a display unless one is asked for, so that test discovery works anywhere.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wakelatch"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
