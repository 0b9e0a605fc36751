// Inputs, supplies and simple outputs: the moving parts stand where their
// state puts them.
#include "rendered_part.h"

#include "core/devices/device_actions.h"

#include <gtest/gtest.h>

namespace kelto::gui {
namespace {

bool IsAccent(QRgb pixel)
{
    return pixel == ClrAccent;
}

TEST(RenderInputs, KnifeSwitchBladeFollowsTheSwitch)
{
    TPlacedPart toggle(15);
    const TRenderedPart open(*toggle.Part);
    FlipSwitch(toggle.As<TSimuZhaDaoSwitch>());
    const TRenderedPart closed(*toggle.Part);
    // Midway along each blade position: (38, 24)-(66, 20) closed, (38, 24)-(60, 5) open.
    EXPECT_GT(closed.Count(ClrAccent, 51, 21, 3, 3), 0);
    EXPECT_EQ(open.Count(ClrAccent, 51, 21, 3, 3), 0);
    EXPECT_GT(open.Count(ClrAccent, 48, 13, 3, 3), 0);
    EXPECT_EQ(closed.Count(ClrAccent, 48, 13, 3, 3), 0);
}

TEST(RenderInputs, PushButtonPlungerStandsInItsColumn)
{
    struct TCase {
        int Item;
        bool Pressed;
        int X;
    };
    const TCase cases[] = {{4, false, 36}, {4, true, 29}, {5, false, 19}, {5, true, 12}};
    for (const TCase& c : cases) {
        SCOPED_TRACE("item " + std::to_string(c.Item) + (c.Pressed ? " pressed" : " released"));
        TPlacedPart button(c.Item);
        if (c.Pressed)
            PressButton(button.As<TSimuAnNiuSwitch>());
        const TRenderedPart image(*button.Part);
        for (const int x : {12, 19, 29, 36})
            EXPECT_EQ(IsAccent(image.At(x, 80)), x == c.X) << "column " << x;
        EXPECT_TRUE(IsAccent(image.At(c.X + 8, 88))) << "the stub points right";
    }
}

TEST(RenderInputs, HeldKeySixDropsItsBarToSeventyButNotItsLegend)
{
    TPlacedPart keypad(21);
    const TRenderedPart up(*keypad.Part);
    PressKey(keypad.As<TSimuKeypad>(), {1, 2});
    const TRenderedPart down(*keypad.Part);
    // Bar (96, t)-(122, t): t = 66 up, 70 held; the stem rises 6 from it at x = 109.
    EXPECT_TRUE(IsAccent(up.At(100, 66)));
    EXPECT_FALSE(IsAccent(up.At(100, 70)));
    EXPECT_TRUE(IsAccent(down.At(100, 70)));
    EXPECT_FALSE(IsAccent(down.At(100, 66)));
    EXPECT_TRUE(IsAccent(down.At(109, 65)));
    // The legend "6" is drawn from (104, 70) in both states, over the bar.
    EXPECT_EQ(up.Count(ClrLit, 104, 70, 8, 13), down.Count(ClrLit, 104, 70, 8, 13));
    EXPECT_GT(down.Count(ClrLit, 104, 70, 8, 13), 10);
    // The neighbours stay up.
    EXPECT_TRUE(IsAccent(down.At(100, 40)));
    EXPECT_TRUE(IsAccent(down.At(152, 66)));
}

TEST(RenderInputs, WiperIsStraightOnlyLevelWithItsPin)
{
    TPlacedPart level(6);
    SetSliderPosition(level.Board.Canvas(), level.As<TSimuResistance>(), 0.5); // centre at y = 83
    const TRenderedPart straight(*level.Part);
    TPlacedPart high(6);
    SetSliderPosition(high.Board.Canvas(), high.As<TSimuResistance>(), 1.0); // centre at y = 44
    const TRenderedPart bent(*high.Part);
    EXPECT_TRUE(IsAccent(straight.At(55, 83)));
    EXPECT_FALSE(IsAccent(straight.At(63, 70)));
    EXPECT_TRUE(IsAccent(bent.At(55, 44)));
    EXPECT_TRUE(IsAccent(bent.At(63, 70)));
    EXPECT_TRUE(IsAccent(bent.At(36, 44))) << "arrowhead at the track";
}

bool IsOrange(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 100 && qGreen(pixel) < 180 && qBlue(pixel) < 80;
}

TEST(RenderInputs, MotorTurnsClockwiseAboutItsHubAndAFullTurnLooksLikeNone)
{
    // The fan's marked blade points up at 0 degrees; a quarter turn clockwise
    // about (33.24, 28.24) takes its dot from (35, 12) to (50, 30).
    TPlacedPart motor(10);
    const TRenderedPart still(*motor.Part);
    motor.As<TSimuMotor>().FAngle = 90;
    const TRenderedPart quarter(*motor.Part);
    motor.As<TSimuMotor>().FAngle = 360;
    const TRenderedPart full(*motor.Part);
    EXPECT_TRUE(IsOrange(still.At(35, 12)));
    EXPECT_FALSE(IsOrange(quarter.At(35, 12)));
    EXPECT_TRUE(IsOrange(quarter.At(50, 30)));
    int fullDiffers = 0;
    for (int y = 5; y < 55; ++y)
        for (int x = 10; x < 60; ++x)
            fullDiffers += still.At(x, y) != full.At(x, y) ? 1 : 0;
    EXPECT_LT(fullDiffers, 20);
}

TEST(RenderInputs, ServoArmTurnsAboutTheCircleCentre)
{
    TPlacedPart servo(18);
    const TRenderedPart centre(*servo.Part);
    servo.As<TSimuServo>().FAngle = 90;
    const TRenderedPart right(*servo.Part);
    // The arm points up at 0 degrees and to the right at +90.
    EXPECT_NE(centre.At(63, 20), TRenderedPart::kBackground);
    EXPECT_EQ(right.At(63, 20), TRenderedPart::kBackground);
    EXPECT_NE(right.At(100, 58), TRenderedPart::kBackground);
    EXPECT_EQ(centre.At(100, 58), TRenderedPart::kBackground);
}

} // namespace
} // namespace kelto::gui
