#include "gui/gallery/gallery_states.h"

#include "core/board/board.h"
#include "core/devices/lcd1602.h"
#include "core/devices/device_actions.h"

#include <array>
#include <string_view>

namespace kelto::gui {

namespace {

template <typename TPart> TPart& As(TSimuPart& part)
{
    return static_cast<TPart&>(part);
}

// Segments A..G of the digits 0..9, bit 0 = A.
constexpr std::array<uint8_t, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

template <size_t N> void ShowDigits(std::array<uint8_t, N>& segments, std::string_view digits, int pointAfter)
{
    for (size_t d = 0; d < digits.size() && 8 * d + 7 < N; ++d) {
        const uint8_t pattern = kDigitSegments[static_cast<size_t>(digits[d] - '0') % 10];
        for (int s = 0; s < 7; ++s)
            segments[8 * d + s] = (pattern >> s) & 1;
        segments[8 * d + 7] = static_cast<int>(d) == pointAfter ? 1 : 0;
    }
}

template <size_t N> void LightAll(std::array<uint8_t, N>& state)
{
    state.fill(1);
}

void WriteLcdText(TSimuLCD1602& lcd, std::string_view text)
{
    for (char c : text)
        WriteData(lcd, static_cast<uint8_t>(c));
}

std::vector<TGalleryState> Placed()
{
    return {{QStringLiteral("placed"), {}}};
}

// A ring and a cross on a square matrix of side n.
template <size_t N> void DrawRingAndCross(std::array<uint8_t, N * N>& dots)
{
    const double centre = (N - 1) / 2.0;
    for (size_t i = 0; i < N; ++i) {
        for (size_t j = 0; j < N; ++j) {
            const double dx = j - centre;
            const double dy = i - centre;
            const double r2 = dx * dx + dy * dy;
            const double outer = N * N / 4.0;
            const bool ring = r2 <= outer && r2 >= outer * 0.55;
            dots[N * i + j] = ring || i == j || i + j == N - 1 ? 1 : 0;
        }
    }
}

} // namespace

std::vector<TGalleryPart> GalleryParts()
{
    std::vector<TGalleryPart> parts;
    parts.push_back(
        {10,
         {{QStringLiteral("0 deg"), {}},
          {QStringLiteral("30 deg"), [](TSimuBoard&, TSimuPart& p) { As<TSimuMotor>(p).FAngle = 30; }},
          {QStringLiteral("90 deg"), [](TSimuBoard&, TSimuPart& p) { As<TSimuMotor>(p).FAngle = 90; }}}});
    parts.push_back({6,
                     {{QStringLiteral("slider 0"),
                       [](TSimuBoard& b, TSimuPart& p) { SetSliderPosition(b.Canvas(), As<TSimuResistance>(p), 0.0); }},
                      {QStringLiteral("slider 0.5"),
                       [](TSimuBoard& b, TSimuPart& p) { SetSliderPosition(b.Canvas(), As<TSimuResistance>(p), 0.5); }},
                      {QStringLiteral("slider 1"), [](TSimuBoard& b, TSimuPart& p) {
                           SetSliderPosition(b.Canvas(), As<TSimuResistance>(p), 1.0);
                       }}}});
    parts.push_back(
        {7, {{QStringLiteral("unlit"), {}}, {QStringLiteral("lit"), [](TSimuBoard&, TSimuPart& p) {
                                                 As<TSimuLEDA>(p).FLit = 1;
                                             }}}});
    parts.push_back(
        {34, {{QStringLiteral("unlit"), {}}, {QStringLiteral("lit"), [](TSimuBoard&, TSimuPart& p) {
                                                  As<TSimuLEDB>(p).FLit = 1;
                                              }}}});
    const auto press = [](TSimuBoard&, TSimuPart& p) { PressButton(As<TSimuAnNiuSwitch>(p)); };
    parts.push_back({4,
                     {{QStringLiteral("S1 released"), {}, 4},
                      {QStringLiteral("S1 pressed"), press, 4},
                      {QStringLiteral("S2 released"), {}, 5},
                      {QStringLiteral("S2 pressed"), press, 5}}});
    parts.push_back(
        {15, {{QStringLiteral("open"), {}}, {QStringLiteral("closed"), [](TSimuBoard&, TSimuPart& p) {
                                                 FlipSwitch(As<TSimuZhaDaoSwitch>(p));
                                             }}}});
    parts.push_back({14, Placed()});
    parts.push_back({12, Placed()});
    parts.push_back({13, Placed()});
    parts.push_back({16, Placed()});
    parts.push_back({21,
                     {{QStringLiteral("all keys up"), {}},
                      {QStringLiteral("6 and F held"), [](TSimuBoard&, TSimuPart& p) {
                           PressKey(As<TSimuKeypad>(p), {1, 2});
                           PressKey(As<TSimuKeypad>(p), {3, 3});
                       }}}});
    parts.push_back({19, Placed()});
    parts.push_back(
        {18,
         {{QStringLiteral("-90 deg"), [](TSimuBoard&, TSimuPart& p) { As<TSimuServo>(p).FAngle = -90; }},
          {QStringLiteral("0 deg"), {}},
          {QStringLiteral("+90 deg"), [](TSimuBoard&, TSimuPart& p) { As<TSimuServo>(p).FAngle = 90; }}}});
    parts.push_back(
        {17,
         {{QStringLiteral("dark"), {}},
          {QStringLiteral("1 and 2."),
           [](TSimuBoard&, TSimuPart& p) { ShowDigits(As<TSimuSegDispTwo>(p).FSegments, "12", 1); }},
          {QStringLiteral("all lit"),
           [](TSimuBoard&, TSimuPart& p) { LightAll(As<TSimuSegDispTwo>(p).FSegments); }}}});
    parts.push_back(
        {22, {{QStringLiteral("dark"), {}}, {QStringLiteral("1234.56"), [](TSimuBoard&, TSimuPart& p) {
                                                 ShowDigits(As<TSimuSegDispSix>(p).FSegments, "123456", 3);
                                             }}}});
    parts.push_back(
        {44, {{QStringLiteral("dark"), {}}, {QStringLiteral("ring and cross"), [](TSimuBoard&, TSimuPart& p) {
                                                 DrawRingAndCross<16>(As<TSimuDotMat1616>(p).FDots);
                                             }}}});
    parts.push_back(
        {45, {{QStringLiteral("dark"), {}}, {QStringLiteral("ring and cross"), [](TSimuBoard&, TSimuPart& p) {
                                                 DrawRingAndCross<32>(As<TSimuDotMat3232>(p).FDots);
                                             }}}});
    parts.push_back({23,
                     {{QStringLiteral("reset, one line"), {}},
                      {QStringLiteral("two lines of text"), [](TSimuBoard&, TSimuPart& p) {
                           TSimuLCD1602& lcd = As<TSimuLCD1602>(p);
                           WriteInstruction(lcd, 0x38); // 8-bit bus, two lines
                           WriteInstruction(lcd, 0x0C); // display on, no cursor
                           WriteInstruction(lcd, 0x01);
                           WriteLcdText(lcd, "KeltoSimu LCD");
                           WriteInstruction(lcd, 0xC0); // second line
                           WriteLcdText(lcd, "Hello, 1602! {}");
                       }}}});
    parts.push_back({24, Placed()});
    parts.push_back({26, Placed()});
    parts.push_back({25, Placed()});
    parts.push_back(
        {20, {{QStringLiteral("dark"), {}}, {QStringLiteral("A, C, E, G lit"), [](TSimuBoard&, TSimuPart& p) {
                                                 auto& lit = As<TSimuBitDisp>(p).FLit;
                                                 for (size_t k = 0; k < lit.size(); k += 2)
                                                     lit[k] = 1;
                                             }}}});
    for (int item : {27, 30, 32, 36, 38})
        parts.push_back({item, Placed()});
    parts.push_back({40, Placed()});
    parts.push_back({42, Placed()});
    parts.push_back({46, Placed()});
    parts.push_back(
        {29, {{QStringLiteral("new"), {}}, {QStringLiteral("3.14159"), [](TSimuBoard&, TSimuPart& p) {
                                                As<TSimuVoMeter>(p).FReading = "3.14159";
                                            }}}});
    return parts;
}

} // namespace kelto::gui
