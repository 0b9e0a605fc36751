// The matrices and the LCD drawn from kept dot images look exactly as when
// every dot is drawn: on the first paint, after dots change, for many
// matrices in turn (more than are kept), and where the painter cannot take
// the images as they are (then every dot is drawn).
#include "rendered_part.h"

#include <gtest/gtest.h>

#include <random>
#include <span>

namespace kelto::gui {
namespace {

constexpr int kDotMat1616Item = 44;
constexpr int kDotMat3232Item = 45;
constexpr int kLcdItem = 23;

QImage Render(const TRenderKit& kit, const TSimuPart& part, double scale = 1.0)
{
    QImage image(static_cast<int>((part.FWidth + 40) * scale), static_cast<int>((part.FHeight + 40) * scale),
                 QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    DrawPart(painter, kit, part, QRect(20, 20, part.FWidth, part.FHeight));
    return image;
}

struct TMatrix {
    explicit TMatrix(int item) : Placed(item) {}
    std::span<uint8_t> Dots()
    {
        if (Placed.Part->FOwnerType == otDotMat1616)
            return Placed.As<TSimuDotMat1616>().FDots;
        if (Placed.Part->FOwnerType == otLCD1602)
            return Placed.As<TSimuLCD1602>().FCellDots;
        return Placed.As<TSimuDotMat3232>().FDots;
    }
    TPlacedPart Placed;
};

// Round 0 leaves the power-on dots, round 1 lights all, then random subsets
// change, with state values other than 0 and 1 among them.
void ChangeDots(std::span<uint8_t> dots, int round, std::mt19937& random)
{
    if (round == 1) {
        std::fill(dots.begin(), dots.end(), uint8_t{1});
        return;
    }
    std::uniform_int_distribution<size_t> index(0, dots.size() - 1);
    std::uniform_int_distribution<int> value(0, 3);
    const int changes = round == 0 ? 0 : (round % 2 == 0 ? 3 : static_cast<int>(dots.size()) / 3);
    for (int i = 0; i < changes; ++i)
        dots[index(random)] =
            static_cast<uint8_t>(value(random) == 3 ? 2 + value(random) : value(random) % 2);
}

TEST(DotFields, DisplaysFromKeptDotImagesEqualEveryDotDrawn)
{
    const TRenderKit kept;
    const TRenderKit direct(false);
    std::mt19937 random(7);
    // The LCD's values above 1 leave the rest of their character bare.
    for (const int item : {kDotMat1616Item, kDotMat3232Item, kLcdItem}) {
        TMatrix matrix(item);
        for (int round = 0; round < 8; ++round) {
            SCOPED_TRACE(testing::Message() << "item " << item << ", round " << round);
            ChangeDots(matrix.Dots(), round, random);
            EXPECT_TRUE(Render(kept, *matrix.Placed.Part) == Render(direct, *matrix.Placed.Part));
        }
    }
}

TEST(DotFields, ManyMatricesInTurnEachKeepTheirOwnDots)
{
    const TRenderKit kept;
    const TRenderKit direct(false);
    std::mt19937 random(11);
    std::vector<std::unique_ptr<TMatrix>> matrices;
    for (int i = 0; i < 20; ++i)
        matrices.push_back(std::make_unique<TMatrix>(i % 2 == 0 ? kDotMat3232Item : kDotMat1616Item));
    for (int round = 0; round < 3; ++round) {
        for (size_t i = 0; i < matrices.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "matrix " << i << ", round " << round);
            ChangeDots(matrices[i]->Dots(), round + 2, random);
            const TSimuPart& part = *matrices[i]->Placed.Part;
            EXPECT_TRUE(Render(kept, part) == Render(direct, part));
        }
    }
}

TEST(DotFields, AScaledPainterGetsEveryDotDrawn)
{
    const TRenderKit kept;
    const TRenderKit direct(false);
    TMatrix matrix(kDotMat3232Item);
    matrix.Dots()[5] = 1;
    EXPECT_TRUE(Render(kept, *matrix.Placed.Part, 1.5) == Render(direct, *matrix.Placed.Part, 1.5));
}

} // namespace
} // namespace kelto::gui
