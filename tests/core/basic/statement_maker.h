// Random statements and program lines a student might type, or not: words of
// the dialect, numbers, operators, quotes, GBK and arbitrary bytes.
#pragma once

#include <random>
#include <string>
#include <string_view>

namespace kelto::testing {

constexpr std::string_view kWords[] = {
    "IF",    "THEN",   "FOR",   "TO",      "NEXT",   "GOTO", "GOSUB", "RETURN", "PRINT",      "WAIT",
    "END",   "LED",    "DDRB",  "DDRC",    "DDRD",   "DDRX", "PORTB", "PORTC",  "PORTD",      "MOTOR",
    "FD",    "BK",     "LT",    "RT",      "FDX",    "BKX",  "LTX",   "RTX",    "STX",        "KEY",
    "PLAY",  "VOICEX", "CLOCK", "SERVOE",  "SERVOX", "SEXY", "SEW",   "SEPC",   "SEBG",       "TA",
    "TR",    "PU",     "PD",    "RANDOM(", "SIN(",   "COS(", "ADC",   "HOUR",   "MINUTE",     "SECOND",
    "PINB",  "PINC",   "PIND",  "PCX",     "PC",     "JK",   "MIC",   "RA",     "RE",         "LPR",
    "COLOR", "COM",    "AND",   "OR",      "NOT",    "REM",  "0x",    "0X",     "KELTOBASIC",
};
constexpr std::string_view kNumbers[] = {"0",     "1",      "7",     "18",  "255", "-1",
                                         "32767", "-32768", "99999", "018", "0x7F"};
constexpr std::string_view kOperators[] = {"+", "-", "*", "/", "=", "<>", "<=",      ">=", "<",
                                           ">", "(", ")", ",", ";", "\"", "'",       " ",  "\t",
                                           "~", "|", "}", "$", "!", "#",  "\xD6\xD0"};

class TStatementMaker {
public:
    explicit TStatementMaker(uint32_t seed) : FRandom(seed) {}

    std::string Make()
    {
        std::string text;
        const int pieces = Below(12);
        for (int i = 0; i < pieces; ++i) {
            switch (Below(6)) {
            case 0:
            case 1: text += kWords[static_cast<size_t>(Below(std::size(kWords)))]; break;
            case 2: text += kNumbers[static_cast<size_t>(Below(std::size(kNumbers)))]; break;
            case 3: text += kOperators[static_cast<size_t>(Below(std::size(kOperators)))]; break;
            case 4: text += static_cast<char>('A' + Below(26)); break;
            default: text += static_cast<char>(Below(256)); break;
            }
        }
        if (Below(20) == 0)
            text += std::string(static_cast<size_t>(100 + Below(60)), static_cast<char>(Below(256)));
        return text;
    }

    // A line of the form a student might type, or not.
    std::string MakeLine(int number)
    {
        if (Below(8) == 0)
            return Make();
        std::string line = std::to_string(number) + (Below(10) == 0 ? ";REMX;\"" : " REM \"");
        for (char c : Make()) {
            line += c;
            if (c == '"')
                line += '"';
        }
        return line + "\"";
    }

    int Below(size_t bound) { return static_cast<int>(FRandom() % bound); }

private:
    std::mt19937 FRandom;
};

} // namespace kelto::testing
