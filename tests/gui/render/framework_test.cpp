// What every drawing shares: pin markers, text, fonts, pictures, the
// dispatch from a canvas object and the painter state it leaves behind.
#include "rendered_part.h"

#include "gui/render/palette_icons.h"

#include "core/circuit/catalogue.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace kelto::gui {
namespace {

TEST(RenderFramework, EveryPinOfEveryPartHasAGreyMarker)
{
    for (const TPaletteItem& item : PaletteItems()) {
        TPlacedPart placed(item.Item);
        ASSERT_NE(placed.Part, nullptr);
        const TRenderedPart image(*placed.Part);
        const auto& pins = ClassInfo(item.Type).Pins;
        for (size_t k = 0; k < pins.size(); ++k) {
            SCOPED_TRACE(std::string(item.Caption) + " pin " + std::to_string(k));
            if (item.Type == otMotor && k == 1)
                continue;
            // Left of the centre: the resistor's wiper line runs down the centre column.
            EXPECT_EQ(image.At(pins[k].X - 4, pins[k].Y - 2), ClrPinMarker);
        }
    }
}

TEST(RenderFramework, MotorMarkersAreGreyThenRed)
{
    TPlacedPart motor(10);
    const TRenderedPart image(*motor.Part);
    EXPECT_EQ(image.At(5 + 3, 45 + 3), ClrPinMarker);
    EXPECT_EQ(image.At(55 + 3, 45 + 3), ClrLit);
}

TEST(RenderFramework, TextIsAliasedAndHangsFromItsTopLeftPoint)
{
    TPlacedPart supply(12); // "+VCC" from (3, 2), the picture starts at y = 15
    const TRenderedPart image(*supply.Part);
    const int ink = image.Count(ClrInk, 3, 2, 30, 13);
    const int paper = image.Count(TRenderedPart::kBackground, 3, 2, 30, 13);
    EXPECT_GT(ink, 20);
    EXPECT_EQ(ink + paper, 30 * 13) << "smoothed text leaves grey pixels";
    EXPECT_EQ(image.Count(ClrInk, -10, -10, 50, 12), 0) << "nothing above the text's top";
    EXPECT_EQ(image.Count(ClrInk, -10, -10, 13, 30), 0) << "nothing left of the text's left";
}

// The SVG surface has no font metrics and places text by these.
TEST(RenderFramework, FaceMetricsKeptForOtherSurfacesAreTheWindowsOwn)
{
    for (int face = 0; face < static_cast<int>(TPartFont::Count); ++face) {
        SCOPED_TRACE(face);
        const TPartFont f = static_cast<TPartFont>(face);
        EXPECT_EQ(TestKit().Ascent(f), look::FaceSpec(f).Ascent);
        EXPECT_EQ(TestKit().LineHeight(f), look::FaceSpec(f).LineHeight);
    }
}

TEST(RenderFramework, PartTypefaceResolvesToTheSongFaceWithEveryGlyphDrawn)
{
    const TRenderKit& kit = TestKit();
    EXPECT_EQ(QFontInfo(kit.Font(TPartFont::Label)).family(), QStringLiteral("AR PL UMing CN"));
    struct TCase {
        TPartFont Font;
        QString Text;
    };
    const TCase cases[] = {
        {TPartFont::Symbol, QStringLiteral("l＆≥")},
        {TPartFont::Title, QStringLiteral("KELTOBASIC输出扩展器DAC")},
        {TPartFont::Label, QStringLiteral("+VCC GND SOUND MIC Volts RS R/W E D0 QH7 C31 R15 J7 AREF")},
        {TPartFont::Subscript, QStringLiteral("D")},
        {TPartFont::Reading, QStringLiteral("-0.123456789")},
        {TPartFont::Legend, QStringLiteral("0123456789ABCDEF")},
    };
    for (const TCase& c : cases) {
        const QFontMetrics metrics(kit.Font(c.Font));
        for (const QChar ch : c.Text) {
            SCOPED_TRACE(QString(ch).toStdString());
            EXPECT_TRUE(metrics.inFont(ch));
        }
    }
}

TEST(RenderFramework, AllTwelvePicturesLoadInTheirSlots)
{
    EXPECT_TRUE(TestKit().PicturesLoaded());
    // The keypad's slot holds the keypad picture: its first row line, between two keys.
    TPlacedPart keypad(21);
    const TRenderedPart image(*keypad.Part);
    EXPECT_EQ(qRed(image.At(85, 30)), 0);
    EXPECT_EQ(image.At(85, 44), TRenderedPart::kBackground);
}

class TDrawObject : public testing::Test {
protected:
    TDrawObject() : FImage(300, 300, QImage::Format_ARGB32) { FImage.fill(Qt::white); }
    void Draw(const TdxFcObject* object, const QRect& r)
    {
        QPainter painter(&FImage);
        dxFlowChart1DrawObject(painter, TestKit(), FBoard.PartOfBody(object), r);
    }
    TSimuBoard FBoard;
    QImage FImage;
};

TEST_F(TDrawObject, AfterTheResistorIsDrawnItsWiperTakesTheSliderPosition)
{
    auto& resistor = static_cast<TSimuResistance&>(*FBoard.PlaceItem(6));
    FBoard.Canvas().SetSliderPosition(resistor.FSlider, 0.25);
    EXPECT_NE(resistor.Port(0)->FValue, 0.25);
    Draw(resistor.FBody, QRect(10, 10, resistor.FWidth, resistor.FHeight));
    EXPECT_DOUBLE_EQ(resistor.Port(0)->FValue, 0.25);
}

TEST_F(TDrawObject, ObjectsThatAreNoBodyGetNothing)
{
    auto& resistor = static_cast<TSimuResistance&>(*FBoard.PlaceItem(6));
    const QImage before = FImage;
    Draw(resistor.FSlider, QRect(10, 10, 27, 17));
    Draw(resistor.Pin(0), QRect(10, 10, 1, 1));
    Draw(nullptr, QRect(10, 10, 1, 1));
    EXPECT_EQ(FImage, before);
}

TEST_F(TDrawObject, APartScrolledPartlyOutOfViewDrawsItsVisiblePixels)
{
    TSimuPart& led = *FBoard.PlaceItem(7);
    Draw(led.FBody, QRect(-20, -60, led.FWidth, led.FHeight));
    // The marker at (19, 121) lands at (-1, 61); its right part is visible.
    EXPECT_EQ(FImage.pixel(-20 + 19 + 4, -60 + 121 + 3), ClrPinMarker);
}

TEST(RenderFramework, DrawingLeavesThePainterAsItFoundIt)
{
    TPlacedPart motor(10);
    QImage image(100, 100, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(3, 4);
    const QPen pen(Qt::green, 3);
    painter.setPen(pen);
    DrawPart(painter, TestKit(), *motor.Part, QRect(0, 0, 70, 73));
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    EXPECT_EQ(painter.transform(), QTransform::fromTranslate(3, 4));
    EXPECT_EQ(painter.pen(), pen);
}

// The build checks that every icon index names a file; this checks that the
// file is there and draws something, for every icon a palette item shows.
TEST(RenderFramework, EveryPaletteIconLoadsAndHasInk)
{
    for (const TPaletteItem& item : PaletteItems()) {
        SCOPED_TRACE(std::string(item.Caption) + " icon " + std::to_string(item.Icon));
        const QImage icon = PaletteIcon(item.Icon);
        ASSERT_EQ(icon.size(), QSize(kPaletteIconSize, kPaletteIconSize));
        int opaque = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                opaque += qAlpha(icon.pixel(x, y)) > 0 ? 1 : 0;
        EXPECT_GT(opaque, 20);
    }
    EXPECT_TRUE(PaletteIcon(kPaletteIconCount).isNull());
    EXPECT_TRUE(PaletteIcon(-1).isNull());
}

} // namespace
} // namespace kelto::gui
