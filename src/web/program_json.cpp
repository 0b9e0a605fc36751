#include "web/program_json.h"

#include "cli/json_writer.h"
#include "core/basic/program_review.h"
#include "core/basic/program_spans.h"
#include "core/basic/run_snapshot.h"
#include "core/basic/watch_rows.h"
#include "core/files/program_file.h"

namespace kelto::web {

namespace {

using cli::TJsonWriter;

// UTF-16 code units in the first `bytes` bytes of UTF-8 text.
int64_t Utf16Length(std::string_view text, size_t bytes)
{
    int64_t units = 0;
    for (size_t i = 0; i < bytes && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80)
            units += c >= 0xF0 ? 2 : 1;
    }
    return units;
}

bool IsHeaderMark(const TLineMark& mark)
{
    return mark.Reason == TCheckReason::HeaderMissing || mark.Reason == TCheckReason::HeaderWrong;
}

} // namespace

std::string LineSpansJson(std::string_view utf8Line)
{
    TJsonWriter json;
    json.BeginArray();
    for (const TLineSpan& span : ProgramLineSpans(utf8Line)) {
        const int64_t begin = Utf16Length(utf8Line, span.Begin);
        json.BeginArray().Int(begin).Int(Utf16Length(utf8Line, span.Begin + span.Length) - begin);
        json.Int(static_cast<int>(span.Kind)).EndArray();
    }
    json.EndArray();
    return json.Text();
}

std::string ProgramReviewJson(std::vector<std::string> utf8Lines)
{
    // Run does not count a last empty line, and nothing typed yet is nothing
    // to warn about.
    if (!utf8Lines.empty() && utf8Lines.back().empty())
        utf8Lines.pop_back();
    const TProgramReview review =
        utf8Lines.empty() ? TProgramReview{} : ReviewProgram(ProgramLinesAsGbk(utf8Lines));
    const std::vector<TLineLevel> levels = LineLevels(review.Marks, utf8Lines.size());
    std::string header;
    for (const TLineMark& mark : review.Marks)
        if (IsHeaderMark(mark) && header.empty())
            header = DescribeMark(mark);
    TJsonWriter json;
    json.BeginObject().Key("header").String(header).Key("lines").BeginArray();
    for (size_t line = 0; line < utf8Lines.size(); ++line) {
        json.BeginObject().Key("level").Int(static_cast<int>(levels[line]));
        json.Key("reading").String(line < review.Readings.size() ? review.Readings[line] : "");
        json.Key("reasons").BeginArray();
        for (const TLineMark& mark : review.Marks)
            if (mark.Line == line && !IsHeaderMark(mark))
                json.String(DescribeMark(mark));
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    return json.Text();
}

std::string RunWatchJson(const TBasicInterpreter& basic)
{
    const TRunSnapshot snapshot = TakeRunSnapshot(basic);
    TJsonWriter json;
    json.BeginObject().Key("runLine").Int(snapshot.State == TRunState::Idle ? -1 : snapshot.ExecutedRow);
    json.Key("rows").BeginArray();
    for (const TWatchRow& row : WatchRows(snapshot))
        json.BeginArray().String(row.Name).String(row.Value).EndArray();
    json.EndArray().EndObject();
    return json.Text();
}

} // namespace kelto::web
