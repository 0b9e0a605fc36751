// Expressions: eight right-associative levels read straight from the compact
// statement text, 16-bit wrap-around, function words recognised by a few
// letters at fixed offsets.
#include "core/basic/basic_value.h"
#include "core/basic/interpreter.h"
#include "core/basic/number_literal.h"
#include "core/basic/sine_table.h"
#include "core/sim/sim_engine.h"

namespace kelto {

namespace {

int16_t Truth(bool condition)
{
    return condition ? -1 : 0;
}

bool IsDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool PortOfLetter(uint8_t letter, TMcuPort& port)
{
    switch (letter) {
    case 'B': port = TMcuPort::B; return true;
    case 'C': port = TMcuPort::C; return true;
    case 'D': port = TMcuPort::D; return true;
    default: return false;
    }
}

} // namespace

int16_t TBasicInterpreter::EvaluateExpression()
{
    return EvaluateEquality();
}

int16_t TBasicInterpreter::EvaluateAt(int32_t position)
{
    FExprCursor = position;
    return EvaluateEquality();
}

int16_t TBasicInterpreter::EvaluateEquality()
{
    const int16_t left = EvaluateRelation();
    const uint8_t op = Next();
    if (op != '=' && op != '#')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateEquality();
    return Truth(op == '=' ? left == right : left != right);
}

int16_t TBasicInterpreter::EvaluateRelation()
{
    const int16_t left = EvaluateOrdering();
    const uint8_t op = Next();
    if (op != '<' && op != '>')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateRelation();
    return Truth(op == '<' ? left < right : left > right);
}

int16_t TBasicInterpreter::EvaluateOrdering()
{
    const int16_t left = EvaluateSum();
    const uint8_t op = Next();
    if (op != '$' && op != '!')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateOrdering();
    return Truth(op == '$' ? left <= right : left >= right);
}

int16_t TBasicInterpreter::EvaluateSum()
{
    const int16_t left = EvaluateProduct();
    const uint8_t op = Next();
    if (op != '+' && op != '-')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateSum();
    return WrapValue(op == '+' ? left + right : left - right);
}

int16_t TBasicInterpreter::EvaluateProduct()
{
    const int16_t left = EvaluateBitwise();
    const uint8_t op = Next();
    if (op != '*' && op != '/')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateProduct();
    if (op == '*')
        return WrapValue(int32_t{left} * right);
    // The dialect leaves x/0 open; 0 keeps the run going like any other
    // value it cannot use.
    if (right == 0)
        return 0;
    return WrapValue(int32_t{left} / right);
}

int16_t TBasicInterpreter::EvaluateBitwise()
{
    const int16_t left = EvaluateUnary();
    const uint8_t op = Next();
    if (op != '|' && op != '}')
        return left;
    ++FExprCursor;
    const int16_t right = EvaluateBitwise();
    return static_cast<int16_t>(op == '|' ? left | right : left & right);
}

int16_t TBasicInterpreter::EvaluateUnary()
{
    const uint8_t op = Next();
    if (op == '-') {
        ++FExprCursor;
        return WrapValue(-int32_t{EvaluateUnary()});
    }
    if (op == '~') {
        ++FExprCursor;
        return static_cast<int16_t>(~EvaluateUnary());
    }
    return EvaluatePrimary();
}

int16_t TBasicInterpreter::EvaluatePrimary()
{
    const uint8_t c = Next();
    if (IsDigit(c))
        return ReadNumber();
    if (c == '(') {
        ++FExprCursor;
        const int16_t value = EvaluateEquality();
        ++FExprCursor; // the closing parenthesis, unchecked
        return value;
    }
    int16_t value = 0;
    if (ReadFunctionWord(value))
        return value;
    ++FExprCursor;
    if (c >= 'A' && c <= 'Z')
        return FVariables[static_cast<size_t>(c - 'A')];
    return 0;
}

int16_t TBasicInterpreter::ReadNumber()
{
    const TNumberLiteral number = ReadNumberLiteral(FStatement, FExprCursor);
    FExprCursor = number.End;
    return number.Value;
}

int16_t TBasicInterpreter::EvaluateArgument(int32_t skipped)
{
    FExprCursor += skipped;
    const int16_t value = EvaluateEquality();
    ++FExprCursor; // the closing parenthesis, unchecked
    return value;
}

int16_t TBasicInterpreter::ReadPortCBits(uint8_t selector)
{
    if (selector >= '0' && selector <= '5') {
        const int bit = selector - '0';
        return FEngine.ReadPortCPin(bit) != 0 ? static_cast<int16_t>(1 << bit) : 0;
    }
    if (selector != 'X')
        return 0;
    // All five become inputs before the first read, so none of them drives
    // a net that a later one reads.
    for (int bit = 0; bit < 5; ++bit)
        if (TSimuPortInfo* record = FEngine.McuPortRecord(bit))
            FEngine.SetKindNow(*record, DIGITAL_IN);
    int16_t bits = 0;
    for (int bit = 0; bit < 5; ++bit)
        if (FEngine.ReadPortCPin(bit) != 0)
            bits = static_cast<int16_t>(bits | (1 << bit));
    return bits;
}

// Function words are told apart by two or three letters; the rest of the
// word is skipped unread.
bool TBasicInterpreter::ReadFunctionWord(int16_t& value)
{
    const int32_t p = FExprCursor;
    const uint8_t c0 = Char(p);
    const uint8_t c1 = Char(p + 1);
    const uint8_t c2 = Char(p + 2);
    const auto consume = [&](int32_t count, int16_t result) {
        FExprCursor = p + count;
        value = result;
        return true;
    };
    TMcuPort port = TMcuPort::B;
    switch (c0) {
    case 'A':
        if (c1 == 'D') {
            const int32_t channel = int32_t{Char(p + 3)} - '0';
            FExprCursor = p + 4;
            value = FEngine.ReadAnalogChannel(channel);
            return true;
        }
        return false;
    case 'C':
        if (c1 != 'O')
            return false;
        if (c2 == 'L')
            return consume(6, 0);
        if (c2 == 'M')
            return consume(7, 0);
        if (c2 == 'S') {
            value = SineByte(WrapValue(90 - int32_t{EvaluateArgument(4)}));
            return true;
        }
        return false;
    case 'H': return c1 == 'O' && consume(4, static_cast<int16_t>(FDevices.LocalClock->Now().Hour));
    case 'J':
        if (c1 != 'K')
            return false;
        FExprCursor = p + 3;
        value = ReadPortCBits(c2);
        return true;
    case 'L': return c1 == 'P' && c2 == 'R' && consume(3, 0);
    case 'M':
        if (c1 != 'I')
            return false;
        if (c2 == 'C') {
            FExprCursor = p + 3;
            value = FEngine.ReadPortCPin(5) != 0 ? 32 : 0;
            return true;
        }
        return c2 == 'N' && consume(6, static_cast<int16_t>(FDevices.LocalClock->Now().Minute));
    case 'P':
        if (c1 == 'C') {
            FExprCursor = p + 3;
            value = ReadPortCBits(c2);
            return true;
        }
        if (c1 == 'I')
            return consume(4, PortOfLetter(Char(p + 3), port) ? FEngine.ReadPortInput(port) : 0);
        if (c1 == 'O')
            return consume(5, PortOfLetter(Char(p + 4), port) ? FEngine.ReadPortOutput(port) : 0);
        return false;
    case 'R':
        if (c1 == 'E')
            return consume(4, 0);
        if (c1 != 'A')
            return false;
        if (c2 == 'N') {
            const int16_t bound = EvaluateArgument(7);
            value = bound > 0 ? static_cast<int16_t>(FDevices.Random->Next(bound)) : 0;
            return true;
        }
        return consume(3, c2 == 'X' ? 0 : static_cast<int16_t>(static_cast<uint8_t>(c2 - '0')));
    case 'S':
        if (c1 == 'I' && c2 == 'N') {
            value = SineByte(EvaluateArgument(4));
            return true;
        }
        return c1 == 'E' && consume(6, static_cast<int16_t>(FDevices.LocalClock->Now().Second));
    default: return false;
    }
}

} // namespace kelto
