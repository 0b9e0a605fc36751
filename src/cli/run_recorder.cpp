#include "cli/run_recorder.h"

#include "cli/json_writer.h"
#include "core/board/board.h"
#include "core/files/atomic_file.h"

namespace kelto::cli {

namespace {

std::string_view SoundEventName(TSoundRequest::TKind kind)
{
    switch (kind) {
    case TSoundRequest::TKind::Play: return "play";
    case TSoundRequest::TKind::Voice: return "voice";
    case TSoundRequest::TKind::Clock: return "clock";
    }
    return "";
}

void WriteStep(TJsonWriter& json, const TStepReport& step)
{
    switch (step.Kind) {
    case TStepReport::TKind::None: json.Key("step").String("none"); break;
    case TStepReport::TKind::Statement:
        json.Key("step").String("statement").Key("line").Int(step.Line);
        break;
    case TStepReport::TKind::Wait:
        json.Key("step").String("wait").Key("wait").Int(step.WaitKind).Key("left").Int(step.WaitCount);
        break;
    case TStepReport::TKind::End: json.Key("step").String("end"); break;
    }
}

} // namespace

TRunRecorder::TRunRecorder(TSimuBoard& board, TFileWriter& log) : FBoard(board), FLog(log)
{
    FBoard.SetLogListeners([this](std::string_view line) { OnLogLine(line); }, nullptr);
    FBoard.SetSoundListener([this](const TSoundRequest& request) { OnSoundRequest(request); });
}

TRunRecorder::~TRunRecorder()
{
    FBoard.SetLogListeners(nullptr, nullptr);
    FBoard.SetSoundListener(nullptr);
}

void TRunRecorder::RecordTrace(TFileWriter& trace)
{
    FTrace = &trace;
    TakeSnapshot(FBefore);
}

void TRunRecorder::OnLogLine(std::string_view line)
{
    if (FBeforeLogLine)
        FBeforeLogLine();
    FLog.Write(line);
    FLog.Write("\n");
    FLog.Flush();
    if (FTrace != nullptr)
        FLogSinceTrace.emplace_back(line);
}

void TRunRecorder::OnSoundRequest(const TSoundRequest& request)
{
    if (FEvents == nullptr)
        return;
    TJsonWriter json;
    json.BeginObject().Key("tick").Int(FTick).Key("event").String(SoundEventName(request.Kind));
    switch (request.Kind) {
    case TSoundRequest::TKind::Play: json.Key("text").String(request.Text); break;
    case TSoundRequest::TKind::Voice:
        json.Key("clip").Int(request.Clip).Key("source").String(request.Text);
        break;
    case TSoundRequest::TKind::Clock:
        json.Key("words").BeginArray();
        if (request.Words != nullptr)
            for (const std::string& word : *request.Words)
                json.String(word);
        json.EndArray();
        break;
    }
    json.EndObject();
    FEvents->Write(json.Text() + "\n");
}

void TRunRecorder::TakeSnapshot(std::vector<TPinSnapshot>& snapshot) const
{
    snapshot.clear();
    for (int32_t p = 0; p < FBoard.PartCount(); ++p) {
        const TSimuPart& part = *FBoard.Part(p);
        for (int32_t i = 0; i < part.PinCount(); ++i) {
            const TSimuPortInfo& record = *part.Port(i);
            snapshot.push_back({record.FKind, record.FLevel, record.FValue});
        }
    }
}

void TRunRecorder::BeginTick(int64_t tick)
{
    FTick = tick;
    FBoard.ForgetLastStep();
}

void TRunRecorder::EndTick()
{
    if (FTrace == nullptr)
        return;
    TJsonWriter json;
    json.BeginObject().Key("tick").Int(FTick);
    WriteStep(json, FBoard.Basic().LastStep());
    json.Key("log").BeginArray();
    for (const std::string& line : FLogSinceTrace)
        json.String(line);
    json.EndArray();
    FLogSinceTrace.clear();

    TakeSnapshot(FAfter);
    json.Key("pins").BeginArray();
    size_t flat = 0;
    for (int32_t p = 0; p < FBoard.PartCount(); ++p)
        for (int32_t i = 0; i < FBoard.Part(p)->PinCount(); ++i, ++flat) {
            const TPinSnapshot& now = FAfter[flat];
            if (flat < FBefore.size() && FBefore[flat] == now)
                continue;
            json.BeginObject().Key("part").Int(p).Key("pin").Int(i);
            json.Key("kind").Int(now.Kind).Key("level").Int(now.Level).Key("value").Number(now.Value);
            json.EndObject();
        }
    json.EndArray().EndObject();
    std::swap(FBefore, FAfter);
    FTrace->Write(json.Text() + "\n");
}

} // namespace kelto::cli
