// Drawing of the logic parts: the five gates, the D and JK flip-flops, the
// output expander and the DAC. None of them shows its levels.
#include "gui/render/draw_common.h"
#include "gui/render/draw_parts.h"

#include "core/circuit/parts.h"

#include <array>
#include <span>

namespace kelto::gui {

namespace {

enum class TGateSymbol { Not, And, Or };

struct TGateStyle {
    TGateSymbol Symbol;
    bool Inverted; // a bubble at the output, and the box 4 pixels further left
};

const QString kLowercaseL = QStringLiteral("l");

void DrawGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate, TGateStyle style)
{
    DrawPinMarkers(painter, gate);
    DrawName(painter, kit, gate, 46, 2);
    switch (style.Symbol) {
    case TGateSymbol::Not:
        DrawText(painter, kit, 45, 20, kLowercaseL, TPartFont::Symbol);
        break;
    case TGateSymbol::And:
        DrawText(painter, kit, 45, 20, QStringLiteral("＆"), TPartFont::Symbol);
        break;
    case TGateSymbol::Or:
        DrawText(painter, kit, 42, 20, QStringLiteral("≥"), TPartFont::Symbol);
        DrawText(painter, kit, 56, 19, kLowercaseL, TPartFont::Symbol);
        break;
    }
    const int boxLeft = style.Inverted ? 33 : 37;
    OutlineRect(painter, boxLeft, 15, 34, 54);
    if (style.Symbol == TGateSymbol::Not) {
        Line(painter, 10, 42, boxLeft - 1, 42);
    } else {
        Line(painter, 10, 27, boxLeft - 1, 27);
        Line(painter, 10, 57, boxLeft - 1, 57);
    }
    Line(painter, style.Inverted ? 76 : 72, 42, 98, 42);
    if (style.Inverted)
        OutlineCircle(painter, 67, 38, 8, 8);
}

struct TFlipFlopInput {
    QString Outer;
    QString Inner;
    int InnerX;
    bool Inverted; // bubble on the lead, overbar over the outer caption
};

// Inputs stand 18 pixels apart from the top; the first and last are the
// direct set and reset, whose outer captions carry a "D" subscript.
void DrawFlipFlop(QPainter& painter, const TRenderKit& kit, const TSimuPart& flipFlop,
                  std::span<const TFlipFlopInput> inputs)
{
    constexpr int pitch = 18;
    const int last = static_cast<int>(inputs.size()) - 1;
    const int qBarY = 37 + pitch * (last - 1);
    DrawPinMarkers(painter, flipFlop);
    DrawName(painter, kit, flipFlop, 85, 2);
    for (int k = 0; k <= last; ++k)
        DrawText(painter, kit, 1, 22 + pitch * k, inputs[k].Outer);
    for (int k = 0; k <= last; ++k)
        DrawText(painter, kit, inputs[k].InnerX, 22 + pitch * k, inputs[k].Inner);
    const QString q = QStringLiteral("Q");
    DrawText(painter, kit, 204, 31, q);
    DrawText(painter, kit, 204, qBarY - 6, q);
    const QString direct = QStringLiteral("D");
    DrawText(painter, kit, 7, 24, direct, TPartFont::Subscript);
    DrawText(painter, kit, 7, 24 + pitch * last, direct, TPartFont::Subscript);
    const std::array<QPoint, 3> wedge{QPoint(72, 58), QPoint(80, 64), QPoint(72, 70)};
    Polyline(painter, wedge.data(), 3);
    OutlineRect(painter, 72, 15, 72, 8 + pitch * (last + 1));
    for (int k = 0; k <= last; ++k) {
        const int y = 28 + pitch * k;
        if (inputs[k].Inverted) {
            Line(painter, 45, y, 63, y);
            OutlineCircle(painter, 64, y - 4, 8, 8);
        } else {
            Line(painter, 45, y, 72, y);
        }
    }
    Line(painter, 144, 37, 171, 37);
    Line(painter, 153, qBarY, 171, qBarY);
    OutlineCircle(painter, 144, qBarY - 4, 8, 8);
    for (int k = 0; k <= last; ++k)
        if (inputs[k].Inverted)
            Line(painter, 3, 22 + pitch * k, 13, 22 + pitch * k);
    Line(painter, 206, qBarY - 6, 210, qBarY - 6);
}

} // namespace

void DrawNOTGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate)
{
    DrawGate(painter, kit, gate, {TGateSymbol::Not, true});
}

void DrawANDGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate)
{
    DrawGate(painter, kit, gate, {TGateSymbol::And, false});
}

void DrawORGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate)
{
    DrawGate(painter, kit, gate, {TGateSymbol::Or, false});
}

void DrawANDNGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate)
{
    DrawGate(painter, kit, gate, {TGateSymbol::And, true});
}

void DrawORNGate(QPainter& painter, const TRenderKit& kit, const TSimuGate& gate)
{
    DrawGate(painter, kit, gate, {TGateSymbol::Or, true});
}

void DrawDFlipFlop(QPainter& painter, const TRenderKit& kit, const TSimuDFlipFlop& flipFlop)
{
    static const std::array<TFlipFlopInput, 4> inputs{
        {{QStringLiteral("S"), QStringLiteral("S"), 78, true},
         {QStringLiteral("D"), QStringLiteral("1D"), 78, false},
         {QStringLiteral("CP"), QStringLiteral("C1"), 86, false},
         {QStringLiteral("R"), QStringLiteral("R"), 78, true}}};
    DrawFlipFlop(painter, kit, flipFlop, inputs);
}

void DrawJKFlipFlop(QPainter& painter, const TRenderKit& kit, const TSimuJKFlipFlop& flipFlop)
{
    // The JK flip-flop's clock is drawn inverted, the D flip-flop's is not.
    static const std::array<TFlipFlopInput, 5> inputs{{{QStringLiteral("S"), QStringLiteral("S"), 78, true},
                                                       {QStringLiteral("J"), QStringLiteral("1J"), 78, false},
                                                       {QStringLiteral("CP"), QStringLiteral("C1"), 86, true},
                                                       {QStringLiteral("K"), QStringLiteral("1K"), 78, false},
                                                       {QStringLiteral("R"), QStringLiteral("R"), 78, true}}};
    DrawFlipFlop(painter, kit, flipFlop, inputs);
}

void DrawOutExpander(QPainter& painter, const TRenderKit& kit, const TSimuOutExpander& expander)
{
    static const TIndexedCaptions data(QStringLiteral("D"), 8);
    static const TIndexedCaptions address(QStringLiteral("A"), 3);
    // Output blocks QA .. QH, each eight outputs.
    static const std::array<TIndexedCaptions, 8> outputs{
        TIndexedCaptions(QStringLiteral("QA"), 8), TIndexedCaptions(QStringLiteral("QB"), 8),
        TIndexedCaptions(QStringLiteral("QC"), 8), TIndexedCaptions(QStringLiteral("QD"), 8),
        TIndexedCaptions(QStringLiteral("QE"), 8), TIndexedCaptions(QStringLiteral("QF"), 8),
        TIndexedCaptions(QStringLiteral("QG"), 8), TIndexedCaptions(QStringLiteral("QH"), 8)};
    OutlineRect(painter, -1, -1, 200, 241);
    DrawPinMarkers(painter, expander);
    for (int k = 0; k < 8; ++k)
        DrawText(painter, kit, 8, 7 + 13 * k, data[k]);
    for (int k = 0; k < 3; ++k)
        DrawText(painter, kit, 8, 129 + 13 * k, address[k]);
    DrawText(painter, kit, 8, 186, QStringLiteral("CP"));
    for (int k = 0; k < 8; ++k)
        for (int block = 0; block < 8; ++block)
            DrawText(painter, kit, 58 + 40 * (block % 4), (block < 4 ? 7 : 129) + 13 * k, outputs[block][k]);
    DrawText(painter, kit, 20, 112, QStringLiteral("输出扩展器"), TPartFont::Title, ClrAccent);
}

void DrawDAC8Bit(QPainter& painter, const TRenderKit& kit, const TSimuDAC8Bit& dac)
{
    static const TIndexedCaptions bits(QStringLiteral("D"), 8);
    OutlineRect(painter, -1, -1, 72, 139);
    DrawPinMarkers(painter, dac);
    for (int k = 0; k < 8; ++k)
        DrawText(painter, kit, 8, 7 + 16 * k, bits[k]);
    DrawText(painter, kit, 41, 63, QStringLiteral("OUT"));
    DrawText(painter, kit, 20, 80, QStringLiteral("DAC"), TPartFont::Title, ClrAccent);
}

} // namespace kelto::gui
