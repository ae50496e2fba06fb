#pragma once

// The main of test binaries whose code answers through the Qt event loop (the
// secret store, the network): they need an application object, which
// GoogleTest's own main doesn't make. Included by one source of each binary.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
