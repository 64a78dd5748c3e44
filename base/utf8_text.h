#pragma once
// UTF-8 text that reaches pages and messages: invalid bytes mended, long values shortened.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// The text with every byte that does not belong to a well-formed UTF-8 character (stray
// continuation bytes, cut or overlong sequences, surrogates, values past U+10FFFF) replaced
// by U+FFFD.
std::string validUtf8(std::string_view text);

// Most characters of a value that a one-line message quotes.
constexpr std::size_t kQuotedCharactersMax = 40;

// The text in single quotes for a one-line message: invalid bytes mended as validUtf8 does,
// control characters written as \n, \r, \t or \xHH.
std::string quotedText(std::string_view text);

// As quotedText, a value longer than kQuotedCharactersMax characters cut to them and followed
// by "...".
std::string quotedValue(std::string_view text);

}  // namespace qv
