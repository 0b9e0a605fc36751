// Drawing of the logic parts: the five gates, the D and JK flip-flops, the
// output expander and the DAC. None of them shows its levels.
#include "core/look/draw_parts.h"
#include "core/look/shapes.h"

#include "core/circuit/parts.h"

#include <array>
#include <span>

namespace kelto::look {

namespace {

enum class TGateSymbol { Not, And, Or };

struct TGateStyle {
    TGateSymbol Symbol;
    bool Inverted; // a bubble at the output, and the box 4 pixels further left
};

const std::string kLowercaseL = "l";

void DrawGate(TDisplayList& list, const TSimuGate& gate, TGateStyle style)
{
    DrawPinMarkers(list, gate);
    DrawName(list, gate, 46, 2);
    switch (style.Symbol) {
    case TGateSymbol::Not: DrawText(list, 45, 20, kLowercaseL, TFace::Symbol); break;
    case TGateSymbol::And: DrawText(list, 45, 20, "＆", TFace::Symbol); break;
    case TGateSymbol::Or:
        DrawText(list, 42, 20, "≥", TFace::Symbol);
        DrawText(list, 56, 19, kLowercaseL, TFace::Symbol);
        break;
    }
    const int boxLeft = style.Inverted ? 33 : 37;
    OutlineRect(list, boxLeft, 15, 34, 54);
    if (style.Symbol == TGateSymbol::Not) {
        Line(list, 10, 42, boxLeft - 1, 42);
    } else {
        Line(list, 10, 27, boxLeft - 1, 27);
        Line(list, 10, 57, boxLeft - 1, 57);
    }
    Line(list, style.Inverted ? 76 : 72, 42, 98, 42);
    if (style.Inverted)
        OutlineCircle(list, 67, 38, 8, 8);
}

struct TFlipFlopInput {
    std::string Outer;
    std::string Inner;
    int InnerX;
    bool Inverted; // bubble on the lead, overbar over the outer caption
};

// Inputs stand 18 pixels apart from the top; the first and last are the
// direct set and reset, whose outer captions carry a "D" subscript.
void DrawFlipFlop(TDisplayList& list, const TSimuPart& flipFlop, std::span<const TFlipFlopInput> inputs)
{
    constexpr int pitch = 18;
    const int last = static_cast<int>(inputs.size()) - 1;
    const int qBarY = 37 + pitch * (last - 1);
    DrawPinMarkers(list, flipFlop);
    DrawName(list, flipFlop, 85, 2);
    for (int k = 0; k <= last; ++k)
        DrawText(list, 1, 22 + pitch * k, inputs[k].Outer);
    for (int k = 0; k <= last; ++k)
        DrawText(list, inputs[k].InnerX, 22 + pitch * k, inputs[k].Inner);
    const std::string q = "Q";
    DrawText(list, 204, 31, q);
    DrawText(list, 204, qBarY - 6, q);
    const std::string direct = "D";
    DrawText(list, 7, 24, direct, TFace::Subscript);
    DrawText(list, 7, 24 + pitch * last, direct, TFace::Subscript);
    Polyline(list, {{72, 58}, {80, 64}, {72, 70}});
    OutlineRect(list, 72, 15, 72, 8 + pitch * (last + 1));
    for (int k = 0; k <= last; ++k) {
        const int y = 28 + pitch * k;
        if (inputs[k].Inverted) {
            Line(list, 45, y, 63, y);
            OutlineCircle(list, 64, y - 4, 8, 8);
        } else {
            Line(list, 45, y, 72, y);
        }
    }
    Line(list, 144, 37, 171, 37);
    Line(list, 153, qBarY, 171, qBarY);
    OutlineCircle(list, 144, qBarY - 4, 8, 8);
    for (int k = 0; k <= last; ++k)
        if (inputs[k].Inverted)
            Line(list, 3, 22 + pitch * k, 13, 22 + pitch * k);
    Line(list, 206, qBarY - 6, 210, qBarY - 6);
}

} // namespace

void DrawNOTGate(TDisplayList& list, const TSimuGate& gate)
{
    DrawGate(list, gate, {TGateSymbol::Not, true});
}

void DrawANDGate(TDisplayList& list, const TSimuGate& gate)
{
    DrawGate(list, gate, {TGateSymbol::And, false});
}

void DrawORGate(TDisplayList& list, const TSimuGate& gate)
{
    DrawGate(list, gate, {TGateSymbol::Or, false});
}

void DrawANDNGate(TDisplayList& list, const TSimuGate& gate)
{
    DrawGate(list, gate, {TGateSymbol::And, true});
}

void DrawORNGate(TDisplayList& list, const TSimuGate& gate)
{
    DrawGate(list, gate, {TGateSymbol::Or, true});
}

void DrawDFlipFlop(TDisplayList& list, const TSimuDFlipFlop& flipFlop)
{
    static const std::array<TFlipFlopInput, 4> inputs{
        {{"S", "S", 78, true}, {"D", "1D", 78, false}, {"CP", "C1", 86, false}, {"R", "R", 78, true}}};
    DrawFlipFlop(list, flipFlop, inputs);
}

void DrawJKFlipFlop(TDisplayList& list, const TSimuJKFlipFlop& flipFlop)
{
    // The JK flip-flop's clock is drawn inverted, the D flip-flop's is not.
    static const std::array<TFlipFlopInput, 5> inputs{{{"S", "S", 78, true},
                                                       {"J", "1J", 78, false},
                                                       {"CP", "C1", 86, true},
                                                       {"K", "1K", 78, false},
                                                       {"R", "R", 78, true}}};
    DrawFlipFlop(list, flipFlop, inputs);
}

void DrawOutExpander(TDisplayList& list, const TSimuOutExpander& expander)
{
    static const TIndexedCaptions data("D", 8);
    static const TIndexedCaptions address("A", 3);
    // Output blocks QA .. QH, each eight outputs.
    static const std::array<TIndexedCaptions, 8> outputs{
        TIndexedCaptions("QA", 8), TIndexedCaptions("QB", 8), TIndexedCaptions("QC", 8),
        TIndexedCaptions("QD", 8), TIndexedCaptions("QE", 8), TIndexedCaptions("QF", 8),
        TIndexedCaptions("QG", 8), TIndexedCaptions("QH", 8)};
    OutlineRect(list, -1, -1, 200, 241);
    DrawPinMarkers(list, expander);
    for (int k = 0; k < 8; ++k)
        DrawText(list, 8, 7 + 13 * k, data[k]);
    for (int k = 0; k < 3; ++k)
        DrawText(list, 8, 129 + 13 * k, address[k]);
    DrawText(list, 8, 186, "CP");
    for (int k = 0; k < 8; ++k)
        for (int block = 0; block < 8; ++block)
            DrawText(list, 58 + 40 * (block % 4), (block < 4 ? 7 : 129) + 13 * k, outputs[block][k]);
    DrawText(list, 20, 112, "输出扩展器", TFace::Title, ClrAccent);
}

void DrawDAC8Bit(TDisplayList& list, const TSimuDAC8Bit& dac)
{
    static const TIndexedCaptions bits("D", 8);
    OutlineRect(list, -1, -1, 72, 139);
    DrawPinMarkers(list, dac);
    for (int k = 0; k < 8; ++k)
        DrawText(list, 8, 7 + 16 * k, bits[k]);
    DrawText(list, 41, 63, "OUT");
    DrawText(list, 20, 80, "DAC", TFace::Title, ClrAccent);
}

} // namespace kelto::look
