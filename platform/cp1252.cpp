#include "platform/cp1252.h"

#include "platform/errors.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1. Undefined bytes keep their own value (C1 controls).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool EncodeCodePoint(char32_t cp, std::string& out)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out += static_cast<char>(cp);
        return true;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            out += static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

}  // namespace

size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp)
{
    auto byte = [&](size_t k) { return static_cast<std::uint8_t>(s[k]); };
    std::uint8_t lead = byte(i);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > s.size()) return 0;
    cp = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kShortest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    // Most texts are plain ASCII, which UTF-8 spells the same: the part up
    // to the first other byte is taken in one piece.
    const auto ascii =
        std::find_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<std::uint8_t>(c) >= 0x80; });
    std::string out(bytes.begin(), ascii);
    if (ascii == bytes.end()) return out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes.substr(static_cast<std::size_t>(ascii - bytes.begin()))) {
        auto b = static_cast<std::uint8_t>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

bool TryUtf8ToCp1252(std::string_view utf8, std::string& out)
{
    out.clear();
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        size_t length = DecodeUtf8(utf8, i, cp);
        if (length == 0 || !EncodeCodePoint(cp, out)) return false;
        i += length;
    }
    return true;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    if (TryUtf8ToCp1252(utf8, out)) return out;
    // Name the offending character so the user knows what to change.
    std::string bad;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        size_t length = DecodeUtf8(utf8, i, cp);
        std::string ignored;
        if (length == 0) break;
        if (!EncodeCodePoint(cp, ignored)) {
            bad = std::string(utf8.substr(i, length));
            break;
        }
        i += length;
    }
    if (bad.empty()) throw EncodingError("Der Text enthält ungültige Zeichen und kann nicht gespeichert werden");
    throw EncodingError("Das Zeichen \"" + bad + "\" kann in den Dateien des Programms nicht gespeichert werden");
}

bool IsRepresentableInCp1252(std::string_view utf8)
{
    std::string ignored;
    return TryUtf8ToCp1252(utf8, ignored);
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        size_t length = DecodeUtf8(text, i, cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool HasControlCharacter(std::string_view text)
{
    for (char c : text)
        if (IsControlCharacter(static_cast<unsigned char>(c))) return true;
    return false;
}
