#pragma once

// The core names the components it changes; a name no window has is a misspelling that
// would otherwise change nothing without a word. Installed by the widget test mains.

#include "ui/WidgetView.h"

#include <gtest/gtest.h>

class NoMissedComponentNames : public ::testing::Environment {
    void TearDown() override
    {
        EXPECT_TRUE(WidgetView::missedNames().isEmpty())
            << "asked for components no window has: "
            << WidgetView::missedNames().join(QStringLiteral(", ")).toStdString();
    }
};
