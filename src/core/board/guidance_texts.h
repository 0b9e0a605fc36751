// What the window tells a newcomer who pressed something that did nothing,
// in UTF-8.
#pragma once

#include <string_view>

namespace kelto {

// Run or Step that started no run.
constexpr std::string_view kRunNeedsMcu =
    "没有运行：画布上还没有单片机。请在左边“其它元件”里单击“单片机MCU”放一个。";
constexpr std::string_view kRunNeedsProgram = "没有运行：程序是空的。请在右边写程序，或按“示例”打开一课。";
constexpr std::string_view kRunNeedsHeader = "没有运行：程序的第一行应是 0 REM \"KELTOBASIC\"。";
// A palette click on an item whose part is already placed; the item's
// caption goes between these two.
constexpr std::string_view kOnlyOneBefore = "每种元件只能放一个：“";
constexpr std::string_view kOnlyOneAfter = "”已经在画布上，已为你选中它。";

} // namespace kelto
