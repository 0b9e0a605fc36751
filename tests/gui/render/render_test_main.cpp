// Drawing tests need a QGuiApplication for fonts; listing the tests does not.
#include "gui/render/render_kit.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QGuiApplication app(argc, argv);
    kelto::gui::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
