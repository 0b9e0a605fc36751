// The copy of the interpreter's state a run panel shows.
#include "core/basic/run_snapshot.h"

#include "core/basic/statement_reading.h"

namespace kelto {

TRunSnapshot TakeRunSnapshot(const TBasicInterpreter& basic)
{
    TRunSnapshot snapshot;
    snapshot.State = basic.RunState();
    snapshot.StepPending = basic.FStepRequested;
    snapshot.CurrentLine = basic.FCurrentLine;
    snapshot.GosubDepth = basic.FGosubDepth;
    snapshot.Waiting = basic.FWaiting;
    snapshot.WaitKind = basic.FWaitKind;
    snapshot.WaitCount = basic.FWaitCount;
    snapshot.Variables = basic.FVariables;
    const int32_t row = basic.FExecutedRow;
    if (row >= 0 && static_cast<size_t>(row) < basic.FProgram.size()) {
        const TProgramLine& executed = basic.FProgram[static_cast<size_t>(row)];
        snapshot.ExecutedRow = row;
        snapshot.ExecutedLine = executed.Number;
        snapshot.ExecutedReading =
            ReadStatement(Dequote(executed.QuotedStatement), executed.StatementText).Text;
    }
    for (size_t v = 0; v < basic.FVariables.size(); ++v)
        if ((basic.FOpenForLoops >> v & 1u) != 0)
            snapshot.ForLoops.push_back({static_cast<char>('A' + v), basic.FVariables[v], basic.FForLimit[v],
                                         basic.FForReturnLine[v]});
    return snapshot;
}

} // namespace kelto
