#include "core/look/svg_writer.h"

#include "core/look/picture_sources.h"

#include <pugixml.hpp>

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <type_traits>

namespace kelto::look {

namespace {

// Strokes are centred on pixel centres, as an aliased one-pixel pen draws.
constexpr double kPixelCentre = 0.5;

std::string Num(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string s(text);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Paint(std::string_view attribute, TArgb colour)
{
    char text[64];
    std::snprintf(text, sizeof text, " %.*s=\"#%06X\"", static_cast<int>(attribute.size()), attribute.data(),
                  colour & 0xFFFFFFu);
    std::string s(text);
    const unsigned alpha = colour >> 24;
    if (alpha != 0xFF)
        s += " " + std::string(attribute) + "-opacity=\"" + Num(alpha / 255.0) + "\"";
    return s;
}

std::string Points(const std::vector<TPoint>& points, double offset)
{
    std::string s;
    for (const TPoint p : points)
        s += (s.empty() ? "" : " ") + Num(p.X + offset) + "," + Num(p.Y + offset);
    return s;
}

std::string Stroke(TArgb colour, int width, TCap cap)
{
    return " fill=\"none\"" + Paint("stroke", colour) + " stroke-width=\"" +
           std::to_string(std::max(width, 1)) + "\" stroke-linecap=\"" +
           (cap == TCap::Square ? "square" : "butt") + "\"" +
           (width == 0 ? " vector-effect=\"non-scaling-stroke\"" : "");
}

struct TTextPiece {
    int Column;
    std::string Utf8;
};

// Captions line up in columns of spaces (the microcontroller's pin table),
// so each piece after a run of spaces is placed at its own column, which
// holds in a reader that has another face.
std::vector<TTextPiece> Pieces(std::string_view text)
{
    std::vector<TTextPiece> pieces{{0, {}}};
    int column = 0;
    int spaces = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ') {
            ++spaces;
            ++column;
            continue;
        }
        if (spaces >= 2)
            pieces.push_back({column, {}});
        else
            pieces.back().Utf8.append(static_cast<size_t>(spaces), ' ');
        spaces = 0;
        const size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        pieces.back().Utf8.append(text.substr(i, length));
        // A Chinese character takes two columns.
        column += length == 1 ? 1 : 2;
        i += length - 1;
    }
    return pieces;
}

class TSvgOut {
public:
    void Operations(const TDisplayList& list)
    {
        for (const TOperation& operation : list.Operations)
            std::visit([this](const auto& op) { Write(op); }, operation);
        CloseOrigin();
    }

    std::string Body() const { return FBody.str(); }
    std::string Defs() const { return FDefs.str(); }

private:
    void Write(const TLine& op)
    {
        const double o = op.Width % 2 == 1 ? kPixelCentre : 0;
        FBody << "<line x1=\"" << Num(op.From.X + o) << "\" y1=\"" << Num(op.From.Y + o) << "\" x2=\""
              << Num(op.To.X + o) << "\" y2=\"" << Num(op.To.Y + o) << "\""
              << Stroke(op.Colour, op.Width, op.Cap) << "/>\n";
    }
    void Write(const TPolyline& op)
    {
        FBody << "<polyline points=\"" << Points(op.Points, kPixelCentre) << "\""
              << Stroke(op.Colour, op.Width, TCap::Square) << " stroke-linejoin=\"bevel\"/>\n";
    }
    void Write(const TRectOutline& op)
    {
        FBody << "<rect x=\"" << Num(op.Box.X + kPixelCentre) << "\" y=\"" << Num(op.Box.Y + kPixelCentre)
              << "\" width=\"" << op.Box.W << "\" height=\"" << op.Box.H << "\""
              << Stroke(op.Colour, 1, TCap::Square) << "/>\n";
    }
    void Write(const TRectFill& op)
    {
        FBody << "<rect x=\"" << op.Box.X << "\" y=\"" << op.Box.Y << "\" width=\"" << op.Box.W
              << "\" height=\"" << op.Box.H << "\"" << Paint("fill", op.Colour) << "/>\n";
    }
    void Ellipse(const TBox& box, double grow, const std::string& paint)
    {
        FBody << "<ellipse cx=\"" << Num(box.X + box.W / 2.0 + grow) << "\" cy=\""
              << Num(box.Y + box.H / 2.0 + grow) << "\" rx=\"" << Num(box.W / 2.0) << "\" ry=\""
              << Num(box.H / 2.0) << "\"" << paint << "/>\n";
    }
    void Write(const TEllipseOutline& op)
    {
        Ellipse(op.Box, kPixelCentre, Stroke(op.Colour, 1, TCap::Square));
    }
    void Write(const TDiscFill& op) { Ellipse(op.Box, 0, Paint("fill", op.Colour)); }
    void Write(const TPolygon& op)
    {
        FBody << "<polygon points=\"" << Points(op.Points, op.Filled ? 0 : kPixelCentre) << "\""
              << (op.Filled ? Paint("fill", op.Colour) : Stroke(op.Colour, 1, TCap::Square)) << "/>\n";
    }
    void Write(const TCurve& op)
    {
        const auto at = [](const TPointF& p) {
            return Num(p.X + kPixelCentre) + "," + Num(p.Y + kPixelCentre);
        };
        FBody << "<path d=\"M" << at(op.Start);
        for (size_t i = 0; i + 2 < op.Pieces.size(); i += 3)
            FBody << " C" << at(op.Pieces[i]) << " " << at(op.Pieces[i + 1]) << " " << at(op.Pieces[i + 2]);
        FBody << "\"" << Stroke(op.Colour, 1, TCap::Square) << "/>\n";
    }
    void Write(const TText& op)
    {
        const TFaceSpec& spec = FaceSpec(op.Face);
        // The Song face under its usual names, where the reader has one.
        const std::string family = (spec.BoldFamily.empty() ? "" : std::string(spec.BoldFamily) + ", ") +
                                   std::string(spec.Family) + ", SimSun, AR PL UMing CN, serif";
        const int advance = spec.PixelSize / 2 + spec.LetterSpacing;
        if (op.Vertical)
            FBody << "<g transform=\"translate(" << op.TopLeft.X + spec.LineHeight << " " << op.TopLeft.Y
                  << ") rotate(90)\">\n";
        const TPoint at = op.Vertical ? TPoint{0, 0} : op.TopLeft;
        for (const TTextPiece& piece : Pieces(op.Utf8))
            FBody << "<text x=\"" << at.X + piece.Column * advance << "\" y=\"" << at.Y + spec.Ascent
                  << "\" font-family=\"" << Escaped(family) << "\" font-size=\"" << spec.PixelSize << "\""
                  << (spec.Bold ? " font-weight=\"bold\"" : "")
                  << (spec.LetterSpacing != 0
                          ? " letter-spacing=\"" + std::to_string(spec.LetterSpacing) + "\""
                          : "")
                  << " xml:space=\"preserve\"" << Paint("fill", op.Colour) << ">" << Escaped(piece.Utf8)
                  << "</text>\n";
        if (op.Vertical)
            FBody << "</g>\n";
    }
    void Write(const TPictureRun& op)
    {
        const TViewBox& box = PictureBox(op.Picture);
        if (box.Width <= 0 || box.Height <= 0)
            return;
        FBody << "<g transform=\"";
        if (op.Degrees != 0)
            FBody << "rotate(" << Num(op.Degrees) << " " << Num(op.Centre.X) << " " << Num(op.Centre.Y)
                  << ") ";
        FBody << "translate(" << op.Box.X << " " << op.Box.Y << ") scale(" << Num(op.Box.W / box.Width) << " "
              << Num(op.Box.H / box.Height) << ") translate(" << Num(-box.X) << " " << Num(-box.Y)
              << ")\"><use xlink:href=\"#picture" << static_cast<int>(op.Picture) << "\"/></g>\n";
    }
    void Write(const TDotField& op)
    {
        const TDotLayout& layout = op.Layout;
        const TPoint last = layout.CellAt(layout.Columns - 1, layout.Rows - 1);
        FBody << "<g transform=\"translate(" << layout.Origin.X << " " << layout.Origin.Y << ")\">\n";
        Write(TRectFill{{0, 0, last.X + layout.Pitch.X, last.Y + layout.Pitch.Y}, layout.Face});
        const size_t count = std::min(op.States.size(), static_cast<size_t>(layout.Columns * layout.Rows));
        for (size_t i = 0; i < count; ++i) {
            if (op.States[i] >= op.Cells.size() || op.Cells[op.States[i]].Operations.empty())
                continue;
            const TPoint at =
                layout.CellAt(static_cast<int>(i) % layout.Columns, static_cast<int>(i) / layout.Columns);
            FBody << "<g transform=\"translate(" << at.X << " " << at.Y << ")\">\n";
            for (const TOperation& cell : op.Cells[op.States[i]].Operations)
                std::visit([this](const auto& shape) { Write(shape); }, cell);
            FBody << "</g>\n";
        }
        FBody << "</g>\n";
    }
    void Write(const TOrigin& op)
    {
        CloseOrigin();
        if (op.At.X == 0 && op.At.Y == 0)
            return;
        FBody << "<g transform=\"translate(" << op.At.X << " " << op.At.Y << ")\">\n";
        FOriginOpen = true;
    }
    void CloseOrigin()
    {
        if (FOriginOpen)
            FBody << "</g>\n";
        FOriginOpen = false;
    }

    struct TViewBox {
        double X = 0, Y = 0, Width = 0, Height = 0;
    };

    // The picture's view box; its content goes into the definitions once.
    const TViewBox& PictureBox(TPicture picture)
    {
        const size_t slot = static_cast<size_t>(picture);
        if (FDefined[slot])
            return FBoxes[slot];
        FDefined[slot] = true;
        for (const TPictureSource& source : PictureSources()) {
            if (source.Name != kPictureNames[slot])
                continue;
            pugi::xml_document document;
            if (!document.load_buffer(source.Svg.data(), source.Svg.size()))
                break;
            const pugi::xml_node svg = document.child("svg");
            TViewBox& box = FBoxes[slot];
            std::istringstream view(svg.attribute("viewBox").as_string());
            if (!(view >> box.X >> box.Y >> box.Width >> box.Height)) {
                box = {0, 0, svg.attribute("width").as_double(), svg.attribute("height").as_double()};
            }
            Rename(svg, "picture" + std::to_string(slot) + "-");
            std::ostringstream content;
            for (const pugi::xml_node child : svg.children())
                if (child.type() == pugi::node_element)
                    child.print(content, "", pugi::format_raw);
            FDefs << "<g id=\"picture" << slot << "\">" << content.str() << "</g>\n";
        }
        return FBoxes[slot];
    }

    // The picture's own names get the prefix, so two pictures never share
    // one; its references follow, written the way every reader knows.
    static void Rename(pugi::xml_node node, const std::string& prefix)
    {
        for (pugi::xml_node child : node.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (pugi::xml_attribute id = child.attribute("id"))
                id.set_value((prefix + id.as_string()).c_str());
            for (const char* name : {"href", "xlink:href"}) {
                const pugi::xml_attribute href = child.attribute(name);
                if (!href || href.as_string()[0] != '#')
                    continue;
                const std::string target = "#" + prefix + (href.as_string() + 1);
                child.remove_attribute(href);
                child.append_attribute("xlink:href").set_value(target.c_str());
            }
            Rename(child, prefix);
        }
    }

    std::ostringstream FBody;
    std::ostringstream FDefs;
    std::array<bool, kPictureCount> FDefined{};
    std::array<TViewBox, kPictureCount> FBoxes{};
    bool FOriginOpen = false;
};

} // namespace

std::string SvgDocument(const TDisplayList& list, const TBox& view)
{
    TSvgOut out;
    out.Operations(list);
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "version=\"1.1\" width=\""
        << view.W << "\" height=\"" << view.H << "\" viewBox=\"" << view.X << " " << view.Y << " " << view.W
        << " " << view.H << "\" shape-rendering=\"crispEdges\">\n"
        << "<defs>\n"
        << out.Defs() << "</defs>\n"
        << out.Body() << "</svg>\n";
    return svg.str();
}

} // namespace kelto::look
