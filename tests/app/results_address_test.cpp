#include "app/results_address.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(ResultsAddress, AbsentFileDefaultKeyAndEmptyValue) {
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    EXPECT_EQ(resultsAddress(folder), std::nullopt);
    auto write = [&](const QByteArray& bytes) {
        QFile f(folder + "Server.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    write("[ServerSetup]\n");
    EXPECT_EQ(resultsAddress(folder), QStringLiteral("http://tarvo.example.com/tvm.asp?lxid=4"));
    write("[ServerSetup]\nAddress=\n");
    EXPECT_EQ(resultsAddress(folder), QString());

    // The learner's or teacher's own Server.ini comes first; without one the
    // program folder's counts.
    QTemporaryDir config;
    const QString own = config.path() + u'/';
    EXPECT_EQ(resultsAddress(folder, own), QString());
    QFile f(own + "Server.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[ServerSetup]\nAddress=http://school/tvm.asp?lxid=4\n");
    f.close();
    EXPECT_EQ(resultsAddress(folder, own), QStringLiteral("http://school/tvm.asp?lxid=4"));
}

} // namespace
