#include "grade/check_sentence.h"

#include <gtest/gtest.h>

namespace kelto::grade {
namespace {

TEST(CheckSentence, WordsAFailedCheckFromTheLastActionPartFieldAndValue)
{
    TTask task;
    task.Actions = {{800, "800:release:常开按钮S1"}, {500, "500:press:1"}, {900, "900:run"}};
    const std::vector<std::string> parts = {"开关K0", "常开按钮S1", "发光二极管LED3", "LCD1602"};
    const auto expect = [](std::optional<TPartRef> part, std::string field, TJson value, int64_t tick) {
        TExpectation expectation;
        expectation.Part = std::move(part);
        expectation.Field = std::move(field);
        expectation.Value = std::move(value);
        expectation.Tick = tick;
        return expectation;
    };
    const TPartRef led{2, ""};
    const struct {
        TExpectation Expectation;
        TCheckResult Result;
        const char* Sentence;
    } cases[] = {
        {expect(led, "lit", 1, 600), {false, 0, ""}, "常开按钮S1 按下后，发光二极管LED3 应该亮：实际不亮"},
        {expect(TPartRef{std::nullopt, "发光二极管LED3"}, "lit", 0, 850),
         {false, 1, ""},
         "常开按钮S1 松开后，发光二极管LED3 应该不亮：实际亮"},
        {expect(std::nullopt, "running", true, 950),
         {false, false, ""},
         "按下运行后，程序 应该在运行：实际已停止"},
        {expect(std::nullopt, "variables.A", 5, 100),
         {false, 7, ""},
         "运行 100 拍后，程序的变量A 应该是 5：实际是 7"},
        {expect(TPartRef{3, ""}, "text.0", "HI", 100),
         {false, "HO              ", ""},
         "运行 100 拍后，LCD1602的显示内容第 1 行 应该是 \"HI\"：实际是 \"HO\""},
        {expect(led, "pins.0.level", 1, 100),
         {false, 0, ""},
         "运行 100 拍后，发光二极管LED3的pins.0.level 应该是 1：实际是 0"},
        {expect(TPartRef{9, ""}, "lit", 1, 100),
         {false, nullptr, "电路中没有第 9 号元件"},
         "运行 100 拍后，第 9 号元件 应该亮：电路中没有第 9 号元件"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sentence);
        EXPECT_EQ(FailureSentence(task, c.Expectation, c.Result, parts), c.Sentence);
    }
}

} // namespace
} // namespace kelto::grade
