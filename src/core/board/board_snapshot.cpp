#include "core/board/board_snapshot.h"

#include "core/board/board.h"

#include <algorithm>

namespace kelto {

namespace {

bool SameParts(const std::vector<TOwnerType>& types, const TSimuBoard& board)
{
    if (types.size() != static_cast<size_t>(board.PartCount()))
        return false;
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (board.Part(i)->FOwnerType != types[static_cast<size_t>(i)])
            return false;
    return true;
}

} // namespace

size_t TBoardSnapshot::Bytes(const TBoardSnapshot* earlier) const
{
    size_t bytes = sizeof(*this) + Types.capacity() * sizeof(TOwnerType) +
                   Parts.capacity() * sizeof(TPartState) + Pins.capacity() * sizeof(TPinSnapshot);
    for (size_t i = 0; i < Parts.size(); ++i)
        if (Parts[i] != nullptr &&
            (earlier == nullptr || i >= earlier->Parts.size() || earlier->Parts[i] != Parts[i]))
            bytes += PartStateBytes(Types[i]);
    if (Program != nullptr && (earlier == nullptr || earlier->Program != Program))
        for (const TProgramLine& line : *Program)
            bytes += sizeof(line) + line.NumberText.capacity() + line.QuotedStatement.capacity() +
                     line.StatementText.capacity();
    for (size_t b = 0; b < Log.Blocks.size(); ++b) {
        const auto& block = Log.Blocks[b];
        bytes += sizeof(block);
        const bool shared =
            earlier != nullptr && std::find(earlier->Log.Blocks.begin(), earlier->Log.Blocks.end(), block) !=
                                      earlier->Log.Blocks.end();
        if (!shared)
            for (const std::string& line : *block)
                bytes += sizeof(line) + (line.capacity() > 15 ? line.capacity() : 0);
    }
    return bytes;
}

TBoardSnapshot TSimuBoard::TakeSnapshot(const TBoardSnapshot* earlier) const
{
    TBoardSnapshot snapshot;
    // Another board's parts could not share their states with these.
    if (earlier != nullptr && !SameParts(earlier->Types, *this))
        earlier = nullptr;
    for (int32_t i = 0; i < PartCount(); ++i) {
        const TSimuPart& part = *Part(i);
        snapshot.Types.push_back(part.FOwnerType);
        snapshot.Parts.push_back(
            SavePartState(part, earlier != nullptr ? earlier->Parts[static_cast<size_t>(i)] : nullptr));
        for (int32_t p = 0; p < part.PinCount(); ++p)
            if (const TSimuPortInfo* record = part.Port(p))
                snapshot.Pins.push_back({record->FKind, record->FNextKind, record->FLevel, record->FNextLevel,
                                         record->FValue, record->FNextValue});
    }
    snapshot.Run = FBasic;
    snapshot.Program =
        earlier != nullptr && earlier->Program != nullptr && *earlier->Program == FBasic.FProgram
            ? earlier->Program
            : std::make_shared<const std::vector<TProgramLine>>(FBasic.FProgram);
    snapshot.Log = SaveLog(FBasic.FMessageLines, earlier != nullptr ? &earlier->Log : nullptr);
    snapshot.OScopes = FOScopesRecorder;
    snapshot.Audioas = FAudioasRecorder;
    snapshot.MotorSpeedFactor = FEngine.FMotorSpeedFactor;
    return snapshot;
}

bool TSimuBoard::RestoreSnapshot(const TBoardSnapshot& snapshot)
{
    if (!SameParts(snapshot.Types, *this))
        return false;
    auto pin = snapshot.Pins.begin();
    for (int32_t i = 0; i < PartCount(); ++i) {
        TSimuPart& part = *Part(i);
        RestorePartState(part, snapshot.Parts[static_cast<size_t>(i)]);
        for (int32_t p = 0; p < part.PinCount(); ++p)
            if (TSimuPortInfo* record = part.Port(p); record != nullptr && pin != snapshot.Pins.end()) {
                record->FKind = pin->Kind;
                record->FNextKind = pin->NextKind;
                record->FLevel = pin->Level;
                record->FNextLevel = pin->NextLevel;
                record->FValue = pin->Value;
                record->FNextValue = pin->NextValue;
                ++pin;
            }
    }
    static_cast<TInterpreterState&>(FBasic) = snapshot.Run;
    FBasic.FProgram = *snapshot.Program;
    RestoreLog(snapshot.Log, FBasic.FMessageLines);
    FOScopesRecorder.Restore(snapshot.OScopes);
    FAudioasRecorder.Restore(snapshot.Audioas);
    FEngine.FMotorSpeedFactor = snapshot.MotorSpeedFactor;
    FEngine.ForgetNets();
    return true;
}

} // namespace kelto
