// The statement words of the dialect as they are meant to be written, and
// the one a mistyped word most likely meant.
#pragma once

#include <string_view>

namespace kelto {

// Whether the word, in upper case, is one of the statement words.
bool IsStatementWord(std::string_view upperWord);

// Whether the text starts with one of the statement words.
bool StartsWithStatementWord(std::string_view text);

// The statement word fewest single-letter edits (a swap of neighbours
// counting as one) away from the upper-cased word; the first listed on a tie.
std::string_view NearestStatementWord(std::string_view upperWord);

} // namespace kelto
