#include <QCoreApplication>

#include <gtest/gtest.h>

// The database drivers are plugins, which Qt loads only under an
// application; the server and the client of the tests run in its loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
