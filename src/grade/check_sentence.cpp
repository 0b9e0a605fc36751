#include "grade/check_sentence.h"

#include "grade/grade_messages.h"

#include <algorithm>
#include <charconv>

namespace kelto::grade {

namespace {

constexpr size_t kMaxShownValue = 60;

std::optional<size_t> NumberIn(std::string_view text)
{
    size_t number = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

std::string PartTitle(std::string_view reference, const std::vector<std::string>& parts)
{
    if (std::find(parts.begin(), parts.end(), reference) != parts.end())
        return std::string(reference);
    if (const std::optional<size_t> index = NumberIn(reference))
        return *index < parts.size() ? parts[*index] : PartByIndex(static_cast<int64_t>(*index));
    return std::string(reference);
}

std::string PartTitle(const TPartRef& part, const std::vector<std::string>& parts)
{
    return PartTitle(part.Caption.empty() ? std::to_string(*part.Index) : part.Caption, parts);
}

// "常开按钮S1 按下后": the task's last action by the checked tick, or the ticks run.
std::string Cause(const TTask& task, int64_t tick, const std::vector<std::string>& parts)
{
    const TTaskAction* last = nullptr;
    for (const TTaskAction& action : task.Actions)
        if (action.Tick <= tick && (last == nullptr || action.Tick >= last->Tick))
            last = &action;
    if (last == nullptr)
        return AfterTicks(tick);
    // TICK:NAME or TICK:NAME:PART...
    const std::string_view text = last->Text;
    const size_t nameStart = text.find(':') + 1;
    const size_t nameEnd = std::min(text.find(':', nameStart), text.size());
    const std::string_view name = text.substr(nameStart, nameEnd - nameStart);
    const auto words = std::find_if(std::begin(kActionWords), std::end(kActionWords),
                                    [&](const TActionWords& w) { return w.Action == name; });
    if (words == std::end(kActionWords))
        return AfterTicks(tick);
    if (nameEnd == text.size())
        return std::string(words->Done);
    const size_t partEnd = std::min(text.find(':', nameEnd + 1), text.size());
    return PartTitle(text.substr(nameEnd + 1, partEnd - nameEnd - 1), parts) + " " + std::string(words->Done);
}

const TFieldWords* WordsOf(std::string_view head)
{
    const auto words = std::find_if(std::begin(kFieldWords), std::end(kFieldWords),
                                    [&](const TFieldWords& w) { return w.Field == head; });
    return words == std::end(kFieldWords) ? nullptr : &*words;
}

// A state the field words have a name for: true or false, 1 or 0.
std::optional<bool> TwoState(const TFieldWords* words, const TJson& value)
{
    if (words == nullptr || words->Yes.empty())
        return std::nullopt;
    if (value.is_boolean())
        return value.get<bool>();
    if (value.is_number() && (value == 0 || value == 1))
        return value == 1;
    return std::nullopt;
}

std::string FieldName(const std::string& field)
{
    const std::string head = field.substr(0, field.find('.'));
    const std::string rest = head.size() < field.size() ? field.substr(head.size() + 1) : "";
    const TFieldWords* words = WordsOf(head);
    if (words == nullptr)
        return field;
    if (rest.empty())
        return std::string(words->Name);
    if (head == "variables")
        return std::string(words->Name) + rest;
    const std::optional<size_t> index = NumberIn(rest);
    return std::string(words->Name) + (index ? ElementName(head, std::to_string(*index + 1)) : "." + rest);
}

std::string Shown(const TJson& value)
{
    std::string text = value.dump(-1, ' ', false, TJson::error_handler_t::replace);
    if (text.size() <= kMaxShownValue)
        return text;
    size_t cut = kMaxShownValue;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "...";
}

// A whole field the words name (not one element of it).
const TFieldWords* WholeFieldWords(const std::string& field)
{
    return field.find('.') == std::string::npos ? WordsOf(field) : nullptr;
}

} // namespace

std::string CheckSentence(const TTask& task, const TExpectation& expectation,
                          const std::vector<std::string>& parts)
{
    const std::string subject = expectation.Part ? PartTitle(*expectation.Part, parts) : kProgram;
    std::string sentence = Cause(task, expectation.Tick, parts) + kClauseEnd + subject;
    const TFieldWords* words = WholeFieldWords(expectation.Field);
    if (const std::optional<bool> state =
            expectation.Contains ? std::nullopt : TwoState(words, expectation.Value))
        return sentence + " " + kShould + std::string(*state ? words->Yes : words->No);
    return sentence + kOf + FieldName(expectation.Field) + " " +
           (expectation.Contains ? kShouldContain : kShouldBe) +
           Shown(ComparedValue(expectation, expectation.Value));
}

std::string FailureSentence(const TTask& task, const TExpectation& expectation, const TCheckResult& result,
                            const std::vector<std::string>& parts)
{
    const std::string sentence = CheckSentence(task, expectation, parts);
    if (!result.Problem.empty())
        return sentence + kColon + result.Problem;
    const TFieldWords* words = WholeFieldWords(expectation.Field);
    if (const std::optional<bool> state = TwoState(words, result.Got))
        return sentence + kActually + std::string(*state ? words->Yes : words->No);
    return sentence + kActuallyIs + Shown(ComparedValue(expectation, result.Got));
}

} // namespace kelto::grade
