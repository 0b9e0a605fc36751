// The six typefaces parts are labelled in: Song at fixed pixel sizes, the
// bold ones in a Song-style face with a drawn bold weight, letters apart;
// and the oscilloscope plots' small sans face.
#pragma once

#include <array>
#include <string_view>

namespace kelto::look {

enum class TFace : int {
    Label,     // 9 pt regular: names, pin names, captions
    Subscript, // 8 pt regular
    Symbol,    // 11 pt regular: gate symbols
    Title,     // 12 pt bold
    Reading,   // 13 pt bold: the voltmeter
    Legend,    // 9 pt bold: keypad legends
    Plot,      // 11 px sans: an oscilloscope plot's labels
    Count
};

struct TFaceSpec {
    std::string_view Family;
    // The bold face, tried before Family; empty for regular faces.
    std::string_view BoldFamily;
    int PixelSize;
    bool Bold;
    int LetterSpacing; // extra pixels after each letter
    // The top of a line to its baseline, and a line's height, as the window's
    // faces measure: surfaces without font metrics place text by them.
    int Ascent;
    int LineHeight;
};

inline constexpr std::string_view kPartTypeface = "宋体";
// The Song face has no bold, and a synthesised one runs the letters into each
// other; this Song-style face has a drawn bold weight.
inline constexpr std::string_view kBoldTypeface = "Noto Serif CJK SC";

// The layouts were measured on a 96 dpi screen, so sizes are fixed in pixels,
// rounded like the classic point-to-pixel conversion (8 pt -> 11 px).
constexpr TFaceSpec MakeFaceSpec(int points, bool bold, int ascent, int lineHeight)
{
    // Bold serifs of neighbouring letters would otherwise meet ("LT").
    return {kPartTypeface,
            bold ? kBoldTypeface : std::string_view{},
            (points * 96 + 36) / 72,
            bold,
            bold ? 1 : 0,
            ascent,
            lineHeight};
}

inline constexpr std::array<TFaceSpec, static_cast<int>(TFace::Count)> kFaceSpecs{
    MakeFaceSpec(9, false, 11, 12), MakeFaceSpec(8, false, 10, 11), MakeFaceSpec(11, false, 13, 15),
    MakeFaceSpec(12, true, 18, 23), MakeFaceSpec(13, true, 20, 25), MakeFaceSpec(9, true, 14, 17),
    TFaceSpec{"DejaVu Sans", {}, 11, false, 0, 10, 13}};

constexpr const TFaceSpec& FaceSpec(TFace face)
{
    return kFaceSpecs[static_cast<size_t>(face)];
}

} // namespace kelto::look
