#include "core/basic/statement_words.h"

#include <algorithm>
#include <vector>

namespace kelto {

namespace {

// The most used first, so a tie suggests the likelier one.
constexpr std::string_view kStatementWords[] = {
    "PRINT", "PORTB", "PORTC", "PORTD", "DDRB", "DDRC", "DDRD",  "GOTO",   "GOSUB",  "RETURN", "IF",
    "FOR",   "NEXT",  "END",   "WAIT",  "LED",  "KEY",  "MOTOR", "PLAY",   "CLOCK",  "FD",     "BK",
    "LT",    "RT",    "FDX",   "BKX",   "LTX",  "RTX",  "STX",   "SERVOE", "SERVOX", "VOICEX",
};

// Optimal string alignment distance.
size_t EditDistance(std::string_view a, std::string_view b)
{
    const size_t width = b.size() + 1;
    std::vector<size_t> d((a.size() + 1) * width);
    const auto at = [&](size_t i, size_t j) -> size_t& { return d[i * width + j]; };
    for (size_t i = 0; i <= a.size(); ++i)
        at(i, 0) = i;
    for (size_t j = 0; j <= b.size(); ++j)
        at(0, j) = j;
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    return at(a.size(), b.size());
}

} // namespace

bool IsStatementWord(std::string_view upperWord)
{
    return std::find(std::begin(kStatementWords), std::end(kStatementWords), upperWord) !=
           std::end(kStatementWords);
}

bool StartsWithStatementWord(std::string_view text)
{
    return std::any_of(std::begin(kStatementWords), std::end(kStatementWords),
                       [text](std::string_view word) { return text.starts_with(word); });
}

std::string_view NearestStatementWord(std::string_view upperWord)
{
    std::string_view nearest = kStatementWords[0];
    size_t best = EditDistance(upperWord, nearest);
    for (std::string_view word : kStatementWords)
        if (const size_t distance = EditDistance(upperWord, word); distance < best) {
            best = distance;
            nearest = word;
        }
    return nearest;
}

} // namespace kelto
