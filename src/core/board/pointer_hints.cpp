#include "core/board/pointer_hints.h"

#include "core/canvas/flow_chart.h"
#include "core/circuit/catalogue.h"
#include "core/circuit/parts.h"
#include "core/circuit/pin_labels.h"

#include <cstdio>

namespace kelto {

namespace {

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Tooltips wider than the screen wrap at any space, splitting a pin's label:
// the list breaks between pins instead, well inside any screen.
constexpr size_t kHintLineColumns = 48;

// Latin letters take one column, Chinese characters two.
size_t Columns(std::string_view utf8)
{
    size_t columns = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        columns += byte < 0x80 ? 1 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    }
    return columns;
}

std::string_view ItemCaption(const TPaletteItem& item)
{
    return item.Item == kAudioasItem ? kAudioasCaption : item.Caption;
}

} // namespace

std::string NetReadingText(TSimEngine& engine, const TSimuPortInfo* pin)
{
    const TProbeReading reading = engine.ProbePin(pin);
    switch (reading.Status) {
    case 0: {
        // A net with only digital drivers reads exactly 0 or 1.
        const bool analogue = engine.GatherDrivers(pin).AnalogCount > 0;
        if (analogue)
            return "模拟值 " + Fixed(reading.Value, 3);
        return reading.Value >= 1.0 ? "高电平" : "低电平";
    }
    case 1: return "舵机脉宽信号 " + Fixed(reading.Value, 3);
    case 2: return "电机脉宽信号 " + Fixed(reading.Value, 3);
    case 3: return "信号冲突";
    default: return "未驱动（悬空）";
    }
}

std::string PinHint(TSimuBoard& board, const TSimuPortInfo* pin)
{
    if (pin == nullptr || pin->FOwner == nullptr || board.IndexOfPart(pin->FOwner) < 0)
        return {};
    const TSimuPortInfo& info = *pin;
    return PinLabel(info.FOwnerType, info.FPinIndex) + "：" + NetReadingText(board.Engine(), pin);
}

std::string BodyHint(const TSimuBoard& board, const TdxFcObject* body)
{
    const TSimuPart* part = board.PartOfBody(body);
    if (part == nullptr)
        return {};
    // By the part's own item, so a second part of one item shows its caption too.
    const TPaletteItem* item = PaletteItemForPart(part->FOwnerType, part->FName);
    return item != nullptr ? std::string(ItemCaption(*item)) : part->FName;
}

std::string HintAtPoint(TSimuBoard& board, int32_t clientX, int32_t clientY)
{
    if (const TSimuPortInfo* pin = board.PinAtPoint(clientX, clientY))
        return PinHint(board, pin);
    const TSimuPart* part = board.PartAtPoint(clientX, clientY);
    return part != nullptr ? BodyHint(board, part->FBody) : std::string();
}

std::string PaletteItemHint(const TPaletteItem& item)
{
    std::string text = std::string(ItemCaption(item));
    std::string line = "引脚：";
    const size_t count = ClassInfo(item.Type).Pins.size();
    for (size_t k = 0; k < count; ++k) {
        const std::string label = PinLabel(item.Type, static_cast<int32_t>(k)) + (k + 1 < count ? "、" : "");
        if (Columns(line) + Columns(label) > kHintLineColumns) {
            text += "\n" + line;
            line.clear();
        }
        line += label;
    }
    return text + "\n" + line;
}

} // namespace kelto
