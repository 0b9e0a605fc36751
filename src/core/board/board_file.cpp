// The board as a circuit description and back.
#include "core/board/board_file.h"

#include "core/circuit/catalogue.h"

#include <algorithm>

namespace kelto {

namespace {

// Only kinds with several palette items carry a model in the file.
bool KindHasModels(int32_t fileType)
{
    return std::any_of(PaletteItems().begin(), PaletteItems().end(), [fileType](const TPaletteItem& item) {
        return item.FileType == fileType && item.Model != 0;
    });
}

} // namespace

TCircuitDescription TSimuBoard::Describe() const
{
    TCircuitDescription circuit;
    for (const TPartEntry& entry : FParts) {
        const TSimuPart& part = *entry.Part;
        TPartRecord record{ClassInfo(part.FOwnerType).FileType, std::nullopt, part.FBody->Left(),
                           part.FBody->Top()};
        // A part's own item, not only its slot's: a file may list one item
        // twice, and a part written without its model would not load again
        // (and every later wire would shift onto the wrong part).
        if (KindHasModels(record.FileType))
            if (const TPaletteItem* item = PaletteItemForPart(part.FOwnerType, part.FName))
                record.Model = item->Model;
        circuit.Parts.push_back(record);
    }
    for (int32_t i = 0; i < FCanvas.ConnectionCount(); ++i) {
        const TdxFcConnection& wire = *FCanvas.Connections(i);
        const TPinLocation source = LocatePin(wire.SourceObject());
        const TPinLocation target = LocatePin(wire.TargetObject());
        if (source.Part < 0 || source.Pin < 0 || target.Part < 0 || target.Pin < 0)
            continue;
        circuit.Wires.push_back({wire.LineStyle(), source, target, wire.BendPoints()});
    }
    return circuit;
}

// A part of no palette item is left out; a wire whose end names no pin would
// join no net and never be written back, so it is not built either.
void TSimuBoard::Build(const TCircuitDescription& circuit)
{
    FCanvas.BeginUpdate();
    ClearCircuit();
    for (const TPartRecord& record : circuit.Parts) {
        const int32_t model = KindHasModels(record.FileType) ? record.Model.value_or(-1) : 0;
        if (const TPaletteItem* item = PaletteItemForFile(record.FileType, model))
            MovePartTo(CreateFromItem(*item)->FBody, record.X, record.Y);
    }
    for (const TWireRecord& record : circuit.Wires) {
        TdxFcObject* source = PinByIndex(record.Source.Part, record.Source.Pin);
        TdxFcObject* target = PinByIndex(record.Target.Part, record.Target.Pin);
        if (source == nullptr || target == nullptr)
            continue;
        TdxFcConnection* wire = FCanvas.CreateConnection(source, target);
        wire->SetLineStyle(record.Style);
        for (const TPoint& point : record.Points)
            wire->AddPoint(point);
    }
    FCanvas.EndUpdate();
}

std::string WriteCircuitDocument(const TSimuBoard& board)
{
    return WriteCircuitDocument(board.Describe());
}

TFileResult SaveCircuitFile(const TSimuBoard& board, const std::string& path)
{
    return SaveCircuitFile(board.Describe(), path);
}

TFileResult ReadCircuitDocument(TSimuBoard& board, std::string_view text)
{
    TCircuitDescription circuit;
    TFileResult result = ReadCircuitDocument(text, circuit);
    if (result.Ok)
        board.Build(circuit);
    return result;
}

TFileResult LoadCircuitFile(TSimuBoard& board, const std::string& path, std::string& text)
{
    TCircuitDescription circuit;
    TFileResult result = LoadCircuitFile(path, circuit, text);
    if (result.Ok)
        board.Build(circuit);
    return result;
}

TFileResult LoadCircuitFile(TSimuBoard& board, const std::string& path)
{
    std::string text;
    return LoadCircuitFile(board, path, text);
}

} // namespace kelto
