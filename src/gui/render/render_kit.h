// What part drawing keeps from start to exit: the twelve part pictures
// (FPartPictures) and the six fonts of the part typeface.
#pragma once

#include <QFont>

#include <array>
#include <memory>

class QSvgRenderer;

namespace kelto::gui {

// Slots of FPartPictures, in loading order; the last three take the
// pictures 11, 10 and 09.
enum TPictureSlot : int {
    kPictureMotor,
    kPictureResistance,
    kPictureLed,
    kPicturePushButton,
    kPictureKnifeSwitch,
    kPictureMcu,
    kPictureVcc,
    kPictureGnd,
    kPictureSpeaker,
    kPictureKeypad,
    kPictureMicphone,
    kPictureServoArm,
    kPartPictureCount
};

enum class TPartFont : int {
    Label,     // 9 regular: names, pin names, captions
    Subscript, // 8 regular
    Symbol,    // 11 regular: gate symbols
    Title,     // 12 bold
    Reading,   // 13 bold: the voltmeter
    Legend,    // 9 bold: keypad legends
    Count
};

// Maps the part typeface and its aliases onto the installed Song face. Call
// once at start, before the first TRenderKit.
void InstallFontSubstitutions();

class TRenderKit {
  public:
    // Loads the pictures; needs a QGuiApplication.
    TRenderKit();
    ~TRenderKit();
    TRenderKit(const TRenderKit&) = delete;
    TRenderKit& operator=(const TRenderKit&) = delete;

    // False when a picture resource is missing or unreadable (it then draws nothing).
    bool PicturesLoaded() const;
    QSvgRenderer& Picture(TPictureSlot slot) const { return *FPartPictures[slot]; }
    const QFont& Font(TPartFont font) const { return FFonts[static_cast<int>(font)]; }
    // Text is placed by its top-left point, so each font's ascent is kept with it.
    int Ascent(TPartFont font) const { return FAscents[static_cast<int>(font)]; }
    int LineHeight(TPartFont font) const { return FLineHeights[static_cast<int>(font)]; }

    std::array<std::unique_ptr<QSvgRenderer>, kPartPictureCount> FPartPictures;

  private:
    std::array<QFont, static_cast<int>(TPartFont::Count)> FFonts;
    std::array<int, static_cast<int>(TPartFont::Count)> FAscents{};
    std::array<int, static_cast<int>(TPartFont::Count)> FLineHeights{};
};

} // namespace kelto::gui
