// Reads a simulation file with pugixml: names match without regard to case,
// records are taken by position, unreadable numbers read as -1.
#include "core/files/atomic_file.h"
#include "core/files/circuit_file.h"
#include "core/files/wide_text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <strings.h>

namespace kelto {

namespace {

// Keeps every group member of a part inside the coordinate range.
constexpr int32_t kMaxPosition = 1'000'000'000;

bool SameName(const char* a, const char* b)
{
    return ::strcasecmp(a, b) == 0;
}

pugi::xml_node FirstChildNamed(pugi::xml_node parent, const char* name)
{
    for (pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element && SameName(child.name(), name))
            return child;
    return {};
}

pugi::xml_node FirstChildElement(pugi::xml_node parent)
{
    for (pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element)
            return child;
    return {};
}

int32_t ParseInteger(std::string_view text)
{
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return -1;
    return value;
}

int32_t ReadValue(pugi::xml_node node, const char* name)
{
    const pugi::xml_node child = FirstChildNamed(node, name);
    return child ? ParseInteger(child.text().get()) : -1;
}

int32_t ReadAttribute(pugi::xml_node node, const char* name)
{
    for (pugi::xml_attribute attribute : node.attributes())
        if (SameName(attribute.name(), name))
            return ParseInteger(attribute.value());
    return -1;
}

template <typename Visit> void ForEachRecordNode(pugi::xml_node list, Visit visit)
{
    for (pugi::xml_node record : list.children())
        if (record.type() == pugi::node_element)
            visit(FirstChildElement(record));
}

size_t LineOfOffset(std::string_view text, ptrdiff_t offset)
{
    const size_t end = std::min(text.size(), static_cast<size_t>(std::max<ptrdiff_t>(offset, 0)));
    return 1 +
           static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(end), '\n'));
}

struct TParsedCircuit {
    pugi::xml_document Document;
    pugi::xml_node Components;
    pugi::xml_node Wires;
};

TFileResult ParseAndCheck(std::string_view text, TParsedCircuit& parsed)
{
    if (const std::string_view encoding = WideTextEncoding(text); !encoding.empty()) {
        TFileResult wide = TFileResult::Failure("the file is " + std::string(encoding) +
                                                " text, not a single-byte XML file");
        wide.Name = encoding;
        return wide;
    }
    const pugi::xml_parse_result result =
        parsed.Document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_latin1);
    if (!result) {
        const size_t line = LineOfOffset(text, result.offset);
        return TFileResult::Failure(TFileProblem::MalformedXml,
                                    "line " + std::to_string(line) + ": " + result.description(),
                                    static_cast<int64_t>(line));
    }
    const pugi::xml_node root = parsed.Document.document_element();
    // The parser takes a list of elements; a document has exactly one.
    for (pugi::xml_node extra = root.next_sibling(); extra; extra = extra.next_sibling())
        if (extra.type() == pugi::node_element) {
            const size_t line = LineOfOffset(text, extra.offset_debug());
            return TFileResult::Failure(TFileProblem::MalformedXml,
                                        "line " + std::to_string(line) + ": a second root element",
                                        static_cast<int64_t>(line));
        }
    if (!root)
        return TFileResult::Failure(TFileProblem::NoElement, "the file holds no XML element");
    parsed.Components = FirstChildNamed(root, "COMP");
    parsed.Wires = FirstChildNamed(root, "CONN");
    for (const auto& [list, tag] : {std::pair{parsed.Components, "COMP"}, std::pair{parsed.Wires, "CONN"}}) {
        if (list)
            continue;
        TFileResult missing = TFileResult::Failure(TFileProblem::MissingList,
                                                   std::string("the circuit has no ") + tag + " list");
        missing.Name = tag;
        return missing;
    }
    int wireNumber = 0;
    TFileResult missingPoints;
    ForEachRecordNode(parsed.Wires, [&](pugi::xml_node node) {
        ++wireNumber;
        if (missingPoints.Ok && !FirstChildNamed(node, "POINT"))
            missingPoints =
                TFileResult::Failure(TFileProblem::WireWithoutPoints,
                                     "wire " + std::to_string(wireNumber) + " has no POINT list", wireNumber);
    });
    return missingPoints;
}

void ReadComponents(pugi::xml_node components, TCircuitDescription& circuit)
{
    ForEachRecordNode(components, [&circuit](pugi::xml_node node) {
        TPartRecord& part = circuit.Parts.emplace_back();
        part.FileType = ReadAttribute(node, "TYPE");
        if (const pugi::xml_node model = FirstChildNamed(node, "MODEL"))
            part.Model = ParseInteger(model.text().get());
        part.X = std::clamp(ReadValue(node, "POSX"), -kMaxPosition, kMaxPosition);
        part.Y = std::clamp(ReadValue(node, "POSY"), -kMaxPosition, kMaxPosition);
    });
}

TLineStyle LineStyleOfCode(int32_t code)
{
    switch (code) {
    case 2: return TLineStyle::lsElbowHorizontal;
    case 3: return TLineStyle::lsElbowVertical;
    default: return TLineStyle::lsStraight;
    }
}

void ReadWires(pugi::xml_node wires, TCircuitDescription& circuit)
{
    ForEachRecordNode(wires, [&circuit](pugi::xml_node node) {
        TWireRecord& wire = circuit.Wires.emplace_back();
        wire.Style = LineStyleOfCode(ReadAttribute(node, "TYPE"));
        wire.Source = {ReadValue(node, "SRCT"), ReadValue(node, "SRCI")};
        wire.Target = {ReadValue(node, "DSTT"), ReadValue(node, "DSTI")};
        ForEachRecordNode(FirstChildNamed(node, "POINT"), [&wire](pugi::xml_node point) {
            wire.Points.push_back({ReadValue(point, "POSX"), ReadValue(point, "POSY")});
        });
    });
}

} // namespace

TFileResult ReadCircuitDocument(std::string_view text, TCircuitDescription& circuit)
{
    TParsedCircuit parsed;
    if (TFileResult checked = ParseAndCheck(text, parsed); !checked.Ok)
        return checked;
    circuit = {};
    ReadComponents(parsed.Components, circuit);
    ReadWires(parsed.Wires, circuit);
    return TFileResult::Success();
}

TFileResult LoadCircuitFile(const std::string& path, TCircuitDescription& circuit, std::string& text)
{
    TFileResult result = ReadWholeFile(path, text, kMaxCircuitFileBytes);
    if (result.Ok)
        result = ReadCircuitDocument(text, circuit);
    if (!result.Ok)
        result.About(TFileOperation::Read, path, "Cannot read");
    return result;
}

TFileResult LoadCircuitFile(const std::string& path, TCircuitDescription& circuit)
{
    std::string text;
    return LoadCircuitFile(path, circuit, text);
}

} // namespace kelto
