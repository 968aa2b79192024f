#include "ui/WidgetView.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
// The core names the components it changes; a name no window has is a misspelling that
// would otherwise change nothing without a word.
class NoMissedComponentNames : public ::testing::Environment {
    void TearDown() override
    {
        EXPECT_TRUE(WidgetView::missedNames().isEmpty())
            << "asked for components no window has: "
            << WidgetView::missedNames().join(QStringLiteral(", ")).toStdString();
    }
};
} // namespace

int main(int argc, char** argv)
{
    // Widget tests run without a display; the build lists the tests this way too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new NoMissedComponentNames); // gtest owns it
    return RUN_ALL_TESTS();
}
