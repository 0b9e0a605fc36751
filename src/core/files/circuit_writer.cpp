// Serialises the circuit to the exact bytes of a simulation file.
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

void WriteComponents(const TCircuitDescription& circuit, TXmlLines& xml)
{
    if (circuit.Parts.empty()) {
        xml.Line(1, "<COMP/>");
        return;
    }
    xml.Line(1, "<COMP>");
    for (const TPartRecord& part : circuit.Parts) {
        xml.Line(2, "<record>");
        xml.Line(3, "<CtrlNode TYPE=\"" + std::to_string(part.FileType) + "\">");
        xml.Value(4, "POSX", part.X);
        xml.Value(4, "POSY", part.Y);
        if (part.Model)
            xml.Value(4, "MODEL", *part.Model);
        xml.Line(3, "</CtrlNode>");
        xml.Line(2, "</record>");
    }
    xml.Line(1, "</COMP>");
}

void WriteWire(const TWireRecord& wire, TXmlLines& xml)
{
    xml.Line(2, "<record>");
    xml.Line(3, "<CtrlNode TYPE=\"" + std::to_string(LineStyleCode(wire.Style)) + "\">");
    xml.Value(4, "SRCT", wire.Source.Part);
    xml.Value(4, "SRCI", wire.Source.Pin);
    xml.Value(4, "DSTT", wire.Target.Part);
    xml.Value(4, "DSTI", wire.Target.Pin);
    if (wire.Points.empty()) {
        xml.Line(4, "<POINT/>");
    } else {
        xml.Line(4, "<POINT>");
        for (const TPoint& point : wire.Points) {
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

void WriteWires(const TCircuitDescription& circuit, TXmlLines& xml)
{
    if (circuit.Wires.empty()) {
        xml.Line(1, "<CONN/>");
        return;
    }
    xml.Line(1, "<CONN>");
    for (const TWireRecord& wire : circuit.Wires)
        WriteWire(wire, xml);
    xml.Line(1, "</CONN>");
}

} // namespace

std::string WriteCircuitDocument(const TCircuitDescription& circuit)
{
    TXmlLines xml;
    xml.Line(0, "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    xml.Line(0, "<KELTOSIMU>");
    WriteComponents(circuit, xml);
    WriteWires(circuit, xml);
    xml.Line(0, "</KELTOSIMU>");
    return xml.Take();
}

TFileResult SaveCircuitFile(const TCircuitDescription& circuit, const std::string& path)
{
    TFileResult result = WriteFileAtomically(path, WriteCircuitDocument(circuit));
    if (!result.Ok)
        result.About(TFileOperation::Write, path, "Cannot write");
    return result;
}

} // namespace kelto
