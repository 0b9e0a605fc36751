// The shipped lessons as a student sees them: no wire drawn across the LCD's
// glass, a matrix's dots or the microcontroller's pins.
#include "core/board/board.h"
#include "core/board/board_file.h"
#include "core/circuit/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kelto {
namespace {

bool KeptClear(TOwnerType type)
{
    return type == otLCD1602 || type == otDotMat1616 || type == otDotMat3232 || type == otMCU;
}

// Whether the segment a-b passes through the inside of r (its edges do not count).
bool Enters(TPoint a, TPoint b, const TRect& r)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.X - a.X;
    const double dy = b.Y - a.Y;
    const std::pair<double, double> sides[] = {
        {-dx, a.X - r.Left}, {dx, r.Right - a.X}, {-dy, a.Y - r.Top}, {dy, r.Bottom - a.Y}};
    for (const auto& [p, q] : sides) {
        if (p == 0.0) {
            if (q <= 0.0)
                return false;
            continue;
        }
        if (p < 0.0)
            t0 = std::max(t0, q / p);
        else
            t1 = std::min(t1, q / p);
        if (t0 >= t1)
            return false;
    }
    return true;
}

// A wire reaches a pin inside its own part's body: the one segment from the
// pin may run there, straight out, away from the body's middle.
bool LeavesOutward(TPoint pin, TPoint next, const TRect& r)
{
    const int64_t twiceMiddleX = int64_t{r.Left} + r.Right;
    const int64_t twiceMiddleY = int64_t{r.Top} + r.Bottom;
    if (pin.Y == next.Y)
        return (int64_t{next.X} - pin.X) * (2 * int64_t{pin.X} - twiceMiddleX) > 0;
    if (pin.X == next.X)
        return (int64_t{next.Y} - pin.Y) * (2 * int64_t{pin.Y} - twiceMiddleY) > 0;
    return false;
}

TEST(LessonWiring, NoWireCrossesTheLcdAMatrixOrTheMicrocontroller)
{
    int lessons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KELTO_EXAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("lesson", 0) != 0 || entry.path().extension() != ".dps")
            continue;
        SCOPED_TRACE(name);
        ++lessons;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        TSimuBoard board;
        ASSERT_TRUE(ReadCircuitDocument(board, text).Ok);
        for (int32_t c = 0; c < board.Canvas().ConnectionCount(); ++c) {
            const TdxFcConnection& wire = *board.Canvas().Connections(c);
            const std::vector<TPoint> route = wire.RoutePoints();
            const int32_t sourcePart = board.LocatePin(wire.SourceObject()).Part;
            const int32_t targetPart = board.LocatePin(wire.TargetObject()).Part;
            for (int32_t p = 0; p < board.PartCount(); ++p) {
                if (!KeptClear(board.Part(p)->FOwnerType))
                    continue;
                const TRect body = board.Part(p)->FBody->Bounds();
                for (size_t s = 0; s + 1 < route.size(); ++s) {
                    const bool sourceStub =
                        s == 0 && sourcePart == p && LeavesOutward(route[0], route[1], body);
                    const bool targetStub = s + 2 == route.size() && targetPart == p &&
                                            LeavesOutward(route[s + 1], route[s], body);
                    EXPECT_TRUE(sourceStub || targetStub || !Enters(route[s], route[s + 1], body))
                        << "wire " << c << ", segment " << s << " crosses "
                        << ClassInfo(board.Part(p)->FOwnerType).ClassName;
                }
            }
        }
    }
    EXPECT_GE(lessons, 17);
}

} // namespace
} // namespace kelto
