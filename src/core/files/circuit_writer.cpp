// Serialises the circuit to the exact bytes of a simulation file.
#include "core/board/board.h"
#include "core/circuit/catalogue.h"
#include "core/files/atomic_file.h"
#include "core/files/circuit_file.h"

namespace kelto {

namespace {

class TXmlLines {
public:
    void Line(int level, std::string_view text)
    {
        FText.append(static_cast<size_t>(2 * level), ' ');
        FText.append(text);
        FText.append("\r\n");
    }
    void Value(int level, std::string_view name, int64_t value)
    {
        Line(level, "<" + std::string(name) + ">" + std::to_string(value) + "</" + std::string(name) + ">");
    }
    std::string Take() { return std::move(FText); }

private:
    std::string FText;
};

int LineStyleCode(TLineStyle style)
{
    switch (style) {
    case TLineStyle::lsStraight: return 1;
    case TLineStyle::lsElbowHorizontal: return 2;
    case TLineStyle::lsElbowVertical: return 3;
    }
    return 1;
}

bool KindHasModels(int32_t fileType)
{
    for (const TPaletteItem& item : PaletteItems())
        if (item.FileType == fileType && item.Model != 0)
            return true;
    return false;
}

void WriteComponents(const TSimuBoard& board, TXmlLines& xml)
{
    if (board.PartCount() == 0) {
        xml.Line(1, "<COMP/>");
        return;
    }
    xml.Line(1, "<COMP>");
    for (int32_t i = 0; i < board.PartCount(); ++i) {
        const TSimuPart& part = *board.Part(i);
        const int32_t fileType = ClassInfo(part.FOwnerType).FileType;
        xml.Line(2, "<record>");
        xml.Line(3, "<CtrlNode TYPE=\"" + std::to_string(fileType) + "\">");
        xml.Value(4, "POSX", part.FBody->Left());
        xml.Value(4, "POSY", part.FBody->Top());
        if (KindHasModels(fileType))
            if (const TPaletteItem* item = PaletteItem(board.SlotItemOf(&part)))
                xml.Value(4, "MODEL", item->Model);
        xml.Line(3, "</CtrlNode>");
        xml.Line(2, "</record>");
    }
    xml.Line(1, "</COMP>");
}

void WriteWire(const TdxFcConnection& wire, TPinLocation source, TPinLocation target, TXmlLines& xml)
{
    xml.Line(2, "<record>");
    xml.Line(3, "<CtrlNode TYPE=\"" + std::to_string(LineStyleCode(wire.LineStyle())) + "\">");
    xml.Value(4, "SRCT", source.Part);
    xml.Value(4, "SRCI", source.Pin);
    xml.Value(4, "DSTT", target.Part);
    xml.Value(4, "DSTI", target.Pin);
    if (wire.BendPoints().empty()) {
        xml.Line(4, "<POINT/>");
    } else {
        xml.Line(4, "<POINT>");
        for (const TPoint& point : wire.BendPoints()) {
            xml.Line(5, "<record>");
            xml.Line(6, "<CtrlNode>");
            xml.Value(7, "POSX", point.X);
            xml.Value(7, "POSY", point.Y);
            xml.Line(6, "</CtrlNode>");
            xml.Line(5, "</record>");
        }
        xml.Line(4, "</POINT>");
    }
    xml.Line(3, "</CtrlNode>");
    xml.Line(2, "</record>");
}

void WriteWires(const TSimuBoard& board, TXmlLines& xml)
{
    bool opened = false;
    const TdxFlowChart& canvas = board.Canvas();
    for (int32_t i = 0; i < canvas.ConnectionCount(); ++i) {
        const TdxFcConnection& wire = *canvas.Connections(i);
        const TPinLocation source = board.LocatePin(wire.SourceObject());
        const TPinLocation target = board.LocatePin(wire.TargetObject());
        if (source.Part < 0 || source.Pin < 0 || target.Part < 0 || target.Pin < 0)
            continue;
        if (!opened)
            xml.Line(1, "<CONN>");
        opened = true;
        WriteWire(wire, source, target, xml);
    }
    xml.Line(1, opened ? "</CONN>" : "<CONN/>");
}

} // namespace

std::string WriteCircuitDocument(const TSimuBoard& board)
{
    TXmlLines xml;
    xml.Line(0, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    xml.Line(0, "<KELTOSIMU>");
    WriteComponents(board, xml);
    WriteWires(board, xml);
    xml.Line(0, "</KELTOSIMU>");
    return xml.Take();
}

TFileResult SaveCircuitFile(const TSimuBoard& board, const std::string& path)
{
    TFileResult result = WriteFileAtomically(path, WriteCircuitDocument(board));
    if (!result.Ok)
        result.About(TFileOperation::Write, path, "Cannot write");
    return result;
}

} // namespace kelto
