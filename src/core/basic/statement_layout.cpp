#include "core/basic/statement_layout.h"

namespace kelto {

namespace {

constexpr std::string_view kHeaderStatement = "KELTOBASIC";
using K = TStatementKind;

struct TLayoutBuilder {
    const TStatementBuffer& Text;
    TStatementLayout Layout;

    uint8_t At(int32_t position) const { return Text.At(position); }
    TLayoutBuilder& Is(K kind, int32_t wordEnd)
    {
        Layout.Kind = kind;
        Layout.WordEnd = wordEnd;
        return *this;
    }
    TLayoutBuilder& Reads(int32_t begin, int32_t terminator = -1)
    {
        Layout.Expressions[static_cast<size_t>(Layout.ExpressionCount++)] = {begin, terminator};
        return *this;
    }
    // The statement's expressions are split at the first separator found from
    // `from`; without one it stops before reading anything.
    void SplitAt(std::string_view separator, int32_t from, int32_t firstBegin)
    {
        const int32_t mark = Search(separator, from);
        if (mark < 0)
            Layout.Stops = true;
        else
            Reads(firstBegin, mark).Reads(mark + static_cast<int32_t>(separator.size()));
    }
    int32_t Search(std::string_view separator, int32_t from)
    {
        Layout.Searches = true;
        Layout.SplitMark = Text.Find(separator, from);
        return Layout.SplitMark;
    }
    // The counted form reads its count from [2]; the X form reads nothing.
    void Drive(K kind)
    {
        Layout.Untimed = At(2) == 'X';
        if (Layout.Untimed)
            Is(kind, Text.Length());
        else
            Is(kind, 2).Reads(2);
    }
    void For()
    {
        Is(K::For, 3);
        const int32_t mark = Search("TO", 0);
        // The TO has been cut off before the variable is looked at.
        Layout.Letter = mark == 3 ? 0 : At(3);
        if (mark < 0 || !IsVariableLetter(Layout.Letter))
            Layout.Stops = true;
        else
            Reads(5, mark).Reads(mark + 2);
    }
    // Five comma-ended positions from [6]; a missing comma leaves that one and
    // every later one unread. The X form then skips three fields.
    void Servos(bool skipThreeFields)
    {
        Is(K::Servos, 6);
        Layout.Untimed = skipThreeFields;
        int32_t read = 6;
        for (int i = 0; i < 5; ++i)
            if (const int32_t comma = Search(",", read); comma >= 0) {
                Reads(read, comma);
                read = comma + 1;
            }
        for (int field = 0; skipThreeFields && field < 3; ++field)
            if (const int32_t comma = Text.Find(",", read); comma >= 0)
                read = comma + 1;
        Reads(read);
    }
    void SetGroup()
    {
        const uint8_t c3 = At(3);
        const uint8_t c4 = At(4);
        if (c3 == 'W')
            Is(K::Evaluated, 4).Reads(4);
        else if ((c3 == 'P' && c4 == 'C') || (c3 == 'B' && c4 == 'G'))
            Is(K::Evaluated, 5).Reads(5);
        else if (c3 == 'X' && c4 == 'Y')
            Is(K::Evaluated, 5).SplitAt(",", 5, 5);
        else if (At(5) == 'E')
            Servos(false);
        else if (At(5) == 'X')
            Servos(true);
    }
};

} // namespace

bool IsVariableLetter(uint8_t c)
{
    return c >= 'A' && c <= 'Z';
}

TStatementLayout LayOutStatement(const TStatementBuffer& statement)
{
    TLayoutBuilder b{statement, {}};
    const int32_t length = statement.Length();
    // The header only marks the program; read by its first letter it would
    // be a KEY statement taking the shift from T.
    if (statement.Text() == kHeaderStatement)
        return b.Is(K::Header, length).Layout;
    const uint8_t c0 = b.At(0);
    const uint8_t c1 = b.At(1);
    const uint8_t c2 = b.At(2);
    if (c1 == '=' && IsVariableLetter(c0)) {
        b.Layout.Letter = c0;
        return b.Is(K::Assign, 0).Reads(2).Layout;
    }
    switch (c0) {
    case 'B': b.Drive(K::Backward); break;
    case 'C':
        if (c2 == 'O')
            b.Is(K::Clock, length);
        break;
    case 'D':
        if (c1 == 'D') {
            b.Layout.Letter = b.At(3);
            b.Is(K::PortDirection, 4).Reads(4);
        }
        break;
    case 'E': b.Is(K::End, length); break;
    case 'F':
        if (c1 == 'D')
            b.Drive(K::Forward);
        else
            b.For();
        break;
    case 'G':
        if (c2 == 'S')
            b.Is(K::Gosub, 5).Reads(5);
        else
            b.Is(K::Goto, 4).Reads(4);
        break;
    case 'I': b.Is(K::If, 2).SplitAt("THEN", 0, 2); break;
    case 'K': b.Is(K::Key, 3).Reads(3); break;
    case 'L':
        if (c2 == 'D')
            b.Is(K::Led, 3).Reads(3);
        else
            b.Drive(K::Left);
        break;
    case 'M': b.Is(K::Motor, 5).SplitAt(",", 5, 5); break;
    case 'N':
        b.Is(K::Next, 4);
        b.Layout.Letter = b.At(4);
        b.Layout.Stops = !IsVariableLetter(b.Layout.Letter);
        break;
    case 'P':
        if (c1 == 'L')
            b.Is(K::Play, 4);
        else if (c1 == 'R')
            b.Is(K::Print, 5).Reads(5);
        else if (c1 == 'O') {
            b.Layout.Letter = b.At(4);
            b.Is(K::PortOutput, 5).Reads(5);
        } else if (c1 == 'U' || c1 == 'D')
            b.Is(K::Accepted, length);
        break;
    case 'R':
        if (c1 == 'T')
            b.Drive(K::Right);
        else if (c2 != 'M')
            b.Is(K::Return, length);
        else
            b.Is(K::Accepted, length);
        break;
    case 'S':
        if (c1 == 'T' && c2 == 'X')
            b.Is(K::StopDrive, length);
        else if (c1 == 'E')
            b.SetGroup();
        break;
    case 'T':
        if (c1 == 'A' || c1 == 'R')
            b.Is(K::Evaluated, 2).Reads(2);
        break;
    case 'V':
        if (c1 == 'O' && b.At(5) == 'X')
            b.Is(K::Voice, 6).Reads(6);
        break;
    case 'W': b.Is(K::Wait, 4).Reads(4); break;
    default: break;
    }
    return b.Layout;
}

} // namespace kelto
