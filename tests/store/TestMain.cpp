// The secret store answers through the Qt event loop, so these tests need an
// application object; GoogleTest's own main doesn't make one.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
