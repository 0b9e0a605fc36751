#include "grade/expectation_check.h"

#include <gtest/gtest.h>

namespace kelto::grade {
namespace {

const TJson kState = TJson::parse(R"({
  "running": false,
  "log": ["开始", "结果 12", "结束"],
  "variables": {"A": 12, "B": 0},
  "components": [
    {"index": 0, "item": "LCD1602", "state": {"text": ["HELLO           ", "                "]}},
    {"index": 1, "item": "发光二极管LED3", "state": {"lit": 1}},
    {"index": 2, "item": "常开按钮S1", "state": {"closed": 0}},
    {"index": 3, "item": "常开按钮S1", "state": {"closed": 1}},
    {"index": 4, "item": "舵机", "state": {"angle": 90.0, "position": 0.5}}
  ]
})");

TExpectation Expect(std::optional<TPartRef> part, std::string field, bool contains, TJson value)
{
    TExpectation expectation;
    expectation.Part = std::move(part);
    expectation.Field = std::move(field);
    expectation.Contains = contains;
    expectation.Value = std::move(value);
    return expectation;
}

TPartRef Caption(std::string caption)
{
    return {std::nullopt, std::move(caption)};
}
TPartRef Index(int64_t index)
{
    return {index, ""};
}

TEST(ExpectationCheck, ComparesTheAddressedValue)
{
    const struct {
        const char* Name;
        TExpectation Expectation;
        bool Ok;
    } cases[] = {
        {"whole list equal",
         Expect(Caption("LCD1602"), "text", false, {"HELLO           ", "                "}), true},
        {"display padding ignored", Expect(Caption("LCD1602"), "text", false, {"HELLO", ""}), true},
        {"display line padding ignored", Expect(Caption("LCD1602"), "text.0", false, "HELLO"), true},
        {"leading spaces count", Expect(Caption("LCD1602"), "text.0", false, " HELLO"), false},
        {"list differs", Expect(Caption("LCD1602"), "text", false, {"HELLO", "X"}), false},
        {"padding counts outside a display", Expect(std::nullopt, "log.1", false, "结果 12 "), false},
        {"text found on a padded line", Expect(Caption("LCD1602"), "text", true, "HELLO"), true},
        {"text on no line", Expect(Caption("LCD1602"), "text", true, "WORLD"), false},
        {"list position", Expect(Caption("LCD1602"), "text.0", true, "ELL"), true},
        {"substring of a text", Expect(std::nullopt, "log.1", true, "12"), true},
        {"log line is an element", Expect(std::nullopt, "log", true, "结束"), true},
        {"whole number equals a float", Expect(Index(4), "angle", false, 90), true},
        {"float equals", Expect(Caption("舵机"), "position", false, 0.5), true},
        {"number is no text", Expect(Index(1), "lit", false, "1"), false},
        {"variable of the run", Expect(std::nullopt, "variables.A", false, 12), true},
        {"true is not 1", Expect(Index(1), "lit", false, true), false},
        {"run flag", Expect(std::nullopt, "running", false, false), true},
        {"contains on a number never holds", Expect(Index(1), "lit", true, 1), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TCheckResult result = CheckExpectation(c.Expectation, kState);
        EXPECT_EQ(result.Ok, c.Ok);
        EXPECT_TRUE(result.Problem.empty()) << result.Problem;
    }
}

TEST(ExpectationCheck, ReportsWhatWasFound)
{
    const TCheckResult result = CheckExpectation(Expect(Caption("发光二极管LED3"), "lit", false, 0), kState);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Got, 1);
}

TEST(ExpectationCheck, AMissingPartOrFieldFailsWithAReason)
{
    const struct {
        const char* Name;
        TExpectation Expectation;
        const char* Problem;
    } cases[] = {
        {"caption of no part", Expect(Caption("LCD1602X"), "text", false, 0), "电路中没有LCD1602X"},
        {"caption of two parts", Expect(Caption("常开按钮S1"), "closed", false, 0),
         "有 2 个元件都叫常开按钮S1"},
        {"index past the end", Expect(Index(5), "lit", false, 0), "电路中没有第 5 号元件"},
        {"field the part lacks", Expect(Index(1), "angle", false, 0), "没有 angle 这一项"},
        {"list position past the end", Expect(Index(0), "text.2", true, "H"), "没有 text.2 这一项"},
        {"name into a list", Expect(Index(0), "text.first", true, "H"), "没有 text.first 这一项"},
        {"variable not there", Expect(std::nullopt, "variables.Z", false, 0), "没有 variables.Z 这一项"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TCheckResult result = CheckExpectation(c.Expectation, kState);
        EXPECT_FALSE(result.Ok);
        EXPECT_TRUE(result.Got.is_null());
        EXPECT_EQ(result.Problem, c.Problem);
    }
}

TEST(ExpectationCheck, ADigitCaptionNamesAnIndexUnlessAPartHasThatCaption)
{
    TJson state = kState;
    const TExpectation byDigits = Expect(TPartRef{1, "1"}, "lit", false, 1);
    EXPECT_TRUE(CheckExpectation(byDigits, state).Ok);
    state["components"][4]["item"] = "1";
    state["components"][4]["state"]["lit"] = 7;
    EXPECT_EQ(CheckExpectation(byDigits, state).Got, 7);
}

} // namespace
} // namespace kelto::grade
