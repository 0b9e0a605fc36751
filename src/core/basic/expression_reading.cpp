// Walks the expression grammar exactly as expression.cpp does, character for
// character, building a small tree instead of a value.
#include "core/basic/expression_reading.h"

#include "core/basic/basic_value.h"
#include "core/basic/number_literal.h"

#include <string_view>

namespace kelto {

namespace {

bool IsDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool IsComparison(uint8_t op)
{
    return std::string_view("=#<>$!").find(static_cast<char>(op)) != std::string_view::npos;
}

// The interpreter's levels, lowest first; 0 for what is not a binary operator.
int DialectLevel(uint8_t op)
{
    constexpr std::string_view kLevels[] = {"=#", "<>", "$!", "+-", "*/", "|}"};
    for (int level = 0; level < 6; ++level)
        if (kLevels[level].find(static_cast<char>(op)) != std::string_view::npos)
            return level + 1;
    return 0;
}

// How a reader used to ordinary arithmetic groups operators.
int UsualRank(uint8_t op)
{
    if (op == '|')
        return 1;
    if (op == '}')
        return 2;
    if (IsComparison(op))
        return 3;
    return op == '+' || op == '-' ? 4 : 5;
}

bool Associative(uint8_t op)
{
    return op == '+' || op == '*' || op == '|' || op == '}';
}

std::string_view Spelling(uint8_t op)
{
    switch (op) {
    case '#': return "<>";
    case '$': return "<=";
    case '!': return ">=";
    case '|': return "OR";
    case '}': return "AND";
    case '~': return "NOT";
    default: return {};
    }
}

std::string OperatorText(uint8_t op)
{
    const std::string_view spelled = Spelling(op);
    return spelled.empty() ? std::string(1, static_cast<char>(op)) : std::string(spelled);
}

struct TNode {
    enum class TKind : uint8_t { Leaf, Missing, Unary, Binary, Call };
    TKind Kind = TKind::Leaf;
    uint8_t Op = 0;
    int Left = -1; // Unary, Call: the operand
    int Right = -1;
    std::string Text{}; // Leaf: the spelling; Call: the word with its "("
    bool Number = false;
    int16_t Value = 0;
};

class TReader {
public:
    TReader(const TStatementBuffer& text, int32_t start) : FText(text), FAt(start) {}

    TExpressionReading Read(bool bracketComparison)
    {
        TExpressionReading reading;
        const int root = Level(1);
        reading.Stop = FAt;
        reading.Empty = FNodes[static_cast<size_t>(root)].Kind == TNode::TKind::Missing;
        std::string text = Print(root);
        const TNode& top = FNodes[static_cast<size_t>(root)];
        if (bracketComparison && top.Kind == TNode::TKind::Binary && IsComparison(top.Op))
            text = "(" + text + ")";
        reading.Text = std::move(text);
        const TNode* number = &top;
        bool negated = false;
        if (top.Kind == TNode::TKind::Unary && top.Op == '-') {
            number = &FNodes[static_cast<size_t>(top.Left)];
            negated = true;
        }
        if (number->Kind == TNode::TKind::Leaf && number->Number) {
            reading.IsNumber = true;
            reading.Number = negated ? WrapValue(-int32_t{number->Value}) : number->Value;
        }
        reading.EndsWithVariable = FLastWasVariable;
        reading.Slips = std::move(FSlips);
        return reading;
    }

private:
    uint8_t Char(int32_t position) const { return FText.At(position); }
    uint8_t Next() const { return FText.At(FAt); }

    int Add(TNode node)
    {
        FNodes.push_back(std::move(node));
        return static_cast<int>(FNodes.size()) - 1;
    }
    int Leaf(std::string text)
    {
        FLastWasVariable = false;
        return Add({TNode::TKind::Leaf, 0, -1, -1, std::move(text)});
    }
    int NumberLeaf(int64_t value)
    {
        FLastWasVariable = false;
        const int16_t wrapped = WrapValue(value);
        return Add({TNode::TKind::Leaf, 0, -1, -1, std::to_string(wrapped), true, wrapped});
    }
    bool IsMissing(int node) const { return FNodes[static_cast<size_t>(node)].Kind == TNode::TKind::Missing; }
    void Slip(std::string text)
    {
        for (const std::string& earlier : FSlips)
            if (earlier == text)
                return;
        FSlips.push_back(std::move(text));
    }
    void CheckOperand(uint8_t op, int operand)
    {
        if (IsMissing(operand))
            Slip("表达式以 " + OperatorText(op) + " 结尾，缺少的数按 0 计算");
    }

    int Level(int level)
    {
        if (level == 7)
            return Unary();
        const int left = Level(level + 1);
        const uint8_t op = Next();
        if (DialectLevel(op) != level)
            return left;
        ++FAt;
        const int right = Level(level);
        CheckOperand(op, right);
        return Add({TNode::TKind::Binary, op, left, right});
    }

    int Unary()
    {
        const uint8_t op = Next();
        if (op != '-' && op != '~')
            return Primary();
        ++FAt;
        const int operand = Unary();
        CheckOperand(op, operand);
        return Add({TNode::TKind::Unary, op, operand});
    }

    // The interpreter skips one character where the closing parenthesis
    // belongs, whatever it is.
    void SkipCloser()
    {
        const uint8_t closer = Next();
        ++FAt;
        if (closer == 0)
            Slip("缺少右括号 )");
        else if (closer != ')')
            Slip("缺少右括号 )：" + Shown(closer) + " 被当作右括号跳过");
    }

    int Call(std::string word, int32_t skipped)
    {
        FAt += skipped;
        const int argument = Level(1);
        SkipCloser();
        FLastWasVariable = false;
        return Add({TNode::TKind::Call, 0, argument, -1, std::move(word)});
    }

    int Primary()
    {
        const uint8_t c = Next();
        if (IsDigit(c))
            return Number();
        if (c == '(') {
            ++FAt;
            const int inner = Level(1);
            SkipCloser();
            return inner;
        }
        if (const int word = FunctionWord(); word >= 0)
            return word;
        ++FAt;
        if (c >= 'A' && c <= 'Z') {
            const int node = Leaf(std::string(1, static_cast<char>(c)));
            FLastWasVariable = true;
            return node;
        }
        if (c == 0) {
            FLastWasVariable = false;
            return Add({TNode::TKind::Missing, 0, -1, -1, "0"});
        }
        if (c >= 'a' && c <= 'z')
            Slip(std::string("小写字母 ") + static_cast<char>(c) + " 按 0 计算；变量名要大写：" +
                 static_cast<char>(c - 'a' + 'A'));
        else
            Slip(c < 0x80 ? Shown(c) + " 不是表达式的一部分，按 0 计算"
                          : "汉字不是表达式的一部分，按 0 计算");
        return Leaf("0");
    }

    static std::string Shown(uint8_t c)
    {
        return c >= 0x21 && c < 0x7F ? std::string(1, static_cast<char>(c)) : "?";
    }

    int Number()
    {
        const TNumberLiteral number = ReadNumberLiteral(FText, FAt);
        const std::string written(
            FText.Text().substr(static_cast<size_t>(FAt), static_cast<size_t>(number.End - FAt)));
        FAt = number.End;
        const int node = NumberLeaf(number.Value);
        // Only worth a word where a reader of decimals would expect another value.
        const size_t significant = written.find_first_not_of('0');
        const std::string decimal = significant == std::string::npos ? "0" : written.substr(significant);
        if (number.Octal && std::to_string(number.Value) != decimal)
            Slip(written + " 以 0 开头，按八进制读作 " + FNodes[static_cast<size_t>(node)].Text);
        return node;
    }

    int Consumed(int32_t count, std::string text)
    {
        FAt += count;
        return Leaf(std::move(text));
    }

    static std::string PortCBits(uint8_t selector)
    {
        if ((selector >= '0' && selector <= '5') || selector == 'X')
            return std::string("PC") + static_cast<char>(selector);
        return "0";
    }

    static std::string Port(std::string_view word, uint8_t letter)
    {
        return letter == 'B' || letter == 'C' || letter == 'D' ? std::string(word) + static_cast<char>(letter)
                                                               : "0";
    }

    // The same letters at the same offsets as the interpreter's function
    // words; -1 when the word is none of them.
    int FunctionWord()
    {
        const int32_t p = FAt;
        const uint8_t c1 = Char(p + 1);
        const uint8_t c2 = Char(p + 2);
        switch (Char(p)) {
        case 'A': {
            if (c1 != 'D')
                return -1;
            const uint8_t d = Char(p + 3);
            return Consumed(4, d >= '0' && d <= '5' ? std::string("ADC") + static_cast<char>(d) : "0");
        }
        case 'C':
            if (c1 != 'O')
                return -1;
            if (c2 == 'L')
                return Consumed(6, "0");
            if (c2 == 'M')
                return Consumed(7, "0");
            return c2 == 'S' ? Call("COS(", 4) : -1;
        case 'H': return c1 == 'O' ? Consumed(4, "HOUR") : -1;
        case 'J': return c1 == 'K' ? Consumed(3, PortCBits(c2)) : -1;
        case 'L': return c1 == 'P' && c2 == 'R' ? Consumed(3, "0") : -1;
        case 'M':
            if (c1 != 'I')
                return -1;
            if (c2 == 'C')
                return Consumed(3, "MIC");
            return c2 == 'N' ? Consumed(6, "MINUTE") : -1;
        case 'P':
            if (c1 == 'C')
                return Consumed(3, PortCBits(c2));
            if (c1 == 'I')
                return Consumed(4, Port("PIN", Char(p + 3)));
            if (c1 == 'O')
                return Consumed(5, Port("PORT", Char(p + 4)));
            return -1;
        case 'R':
            if (c1 == 'E')
                return Consumed(4, "0");
            if (c1 != 'A')
                return -1;
            if (c2 == 'N')
                return Call("RANDOM(", 7);
            FAt += 3;
            return NumberLeaf(c2 == 'X' ? 0 : static_cast<uint8_t>(c2 - '0'));
        case 'S':
            if (c1 == 'I' && c2 == 'N')
                return Call("SIN(", 4);
            return c1 == 'E' ? Consumed(6, "SECOND") : -1;
        default: return -1;
        }
    }

    // A child is bracketed when the interpreter would group it differently
    // without brackets, or when a reader used to ordinary arithmetic would.
    bool Bracketed(const TNode& child, uint8_t parentOp, bool right) const
    {
        if (child.Kind == TNode::TKind::Unary)
            return child.Op == '~';
        if (child.Kind != TNode::TKind::Binary)
            return false;
        const int dialect = DialectLevel(child.Op);
        const int parent = DialectLevel(parentOp);
        if (right ? dialect < parent : dialect <= parent)
            return true;
        if (IsComparison(child.Op) && IsComparison(parentOp))
            return true;
        const int usual = UsualRank(child.Op);
        const int usualParent = UsualRank(parentOp);
        return usual < usualParent ||
               (right && usual == usualParent && !(child.Op == parentOp && Associative(parentOp)));
    }

    std::string Print(int index) const
    {
        const TNode& node = FNodes[static_cast<size_t>(index)];
        switch (node.Kind) {
        case TNode::TKind::Leaf:
        case TNode::TKind::Missing: return node.Text;
        case TNode::TKind::Call: return node.Text + Print(node.Left) + ")";
        case TNode::TKind::Unary: {
            const TNode& operand = FNodes[static_cast<size_t>(node.Left)];
            const bool bracket = operand.Kind == TNode::TKind::Binary ||
                                 operand.Kind == TNode::TKind::Unary || (operand.Number && operand.Value < 0);
            const std::string inner = bracket ? "(" + Print(node.Left) + ")" : Print(node.Left);
            return node.Op == '-' ? "-" + inner : "NOT " + inner;
        }
        case TNode::TKind::Binary: {
            const auto side = [&](int child, bool right) {
                const std::string text = Print(child);
                return Bracketed(FNodes[static_cast<size_t>(child)], node.Op, right) ? "(" + text + ")"
                                                                                     : text;
            };
            return side(node.Left, false) + " " + OperatorText(node.Op) + " " + side(node.Right, true);
        }
        }
        return {};
    }

    const TStatementBuffer& FText;
    int32_t FAt;
    std::vector<TNode> FNodes;
    std::vector<std::string> FSlips;
    bool FLastWasVariable = false;
};

} // namespace

TExpressionReading ReadExpression(const TStatementBuffer& statement, int32_t start, bool bracketComparison)
{
    return TReader(statement, start).Read(bracketComparison);
}

} // namespace kelto
