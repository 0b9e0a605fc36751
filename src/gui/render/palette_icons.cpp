#include "gui/render/palette_icons.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kelto::gui {

namespace {

// File of each icon index, named after the part it shows.
constexpr std::array<const char*, kPaletteIconCount> kIconFiles{
    "00_knife_switch",  "01_push_button",  "02_resistor",   "03_push_button_closed",
    "04_led_to_supply", "05_motor",        "06_supply",     "07_ground",
    "08_mcu",           "09_speaker",      "10_two_digits", "11_servo",
    "12_microphone",    "13_bar_display",  "14_keypad",     "15_six_digits",
    "16_lcd",           "17_oscilloscope", "18_dac",        "19_single_probe",
    "20_not_gate",      "21_voltmeter",    "22_and_gate",   "23_or_gate",
    "24_led_to_ground", "25_nand_gate",    "26_nor_gate",   "27_d_flip_flop",
    "28_jk_flip_flop",  "29_matrix_16",    "30_matrix_32",  "31_expander"};

} // namespace

QImage PaletteIcon(int index)
{
    if (index < 0 || index >= kPaletteIconCount)
        return {};
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kIconFiles[index])));
    if (!renderer.isValid())
        return {};
    QImage icon(kPaletteIconSize, kPaletteIconSize, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    renderer.render(&painter, QRectF(0, 0, kPaletteIconSize, kPaletteIconSize));
    return icon;
}

std::array<QImage, kPaletteIconCount> ImageList1()
{
    std::array<QImage, kPaletteIconCount> icons;
    for (int i = 0; i < kPaletteIconCount; ++i)
        icons[i] = PaletteIcon(i);
    return icons;
}

} // namespace kelto::gui
