#include "base/utf8_text.h"

#include <cstdio>

namespace qv {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Bytes of the well-formed character at text[i], or 0 when none starts there.
std::size_t wellFormedLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    // Lead byte ranges and the allowed range of the second byte, which rules out overlong
    // forms, surrogates and values past U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!isContinuation(static_cast<unsigned char>(text[i + k])))
            return 0;
    return length;
}

}  // namespace

std::string validUtf8(std::string_view text)
{
    std::string mended;
    mended.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = wellFormedLength(text, i);
        if (length == 0) {
            mended.append(kReplacementCharacter);
            ++i;
        } else {
            mended.append(text.substr(i, length));
            i += length;
        }
    }
    return mended;
}

std::string quotedText(std::string_view text)
{
    std::string quoted(1, '\'');
    for (const char c : validUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r' || c == '\t') {
            quoted += c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    quoted.push_back('\'');
    return quoted;
}

std::string quotedValue(std::string_view text)
{
    const std::string valid = validUtf8(text);
    std::size_t kept = valid.size();
    std::size_t characters = 0;
    for (std::size_t i = 0; i < valid.size() && kept == valid.size(); ++i) {
        if (isContinuation(static_cast<unsigned char>(valid[i])))
            continue;
        if (characters == kQuotedCharactersMax)
            kept = i;
        ++characters;
    }
    std::string quoted = quotedText(std::string_view(valid).substr(0, kept));
    if (kept < valid.size())
        quoted.insert(quoted.size() - 1, "...");
    return quoted;
}

}  // namespace qv
