#include "MisuseFailsTest.h"
#include "NoMissedComponentNames.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Widget tests run without a display; the build lists the tests this way too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    failTestsOnMisuse();
    ::testing::AddGlobalTestEnvironment(new NoMissedComponentNames); // gtest owns it
    return RUN_ALL_TESTS();
}
