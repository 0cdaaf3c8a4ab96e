#include <QCoreApplication>

#include <gtest/gtest.h>

// The database driver is a plugin, which Qt loads only under an application.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
