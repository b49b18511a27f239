#include "platform/visible_text.h"

#include "platform/cp1252.h"

#include <cstdio>

namespace {

// Characters that change how the rest of a line shows: C0 and C1 controls,
// DEL, and the invisible marks that reorder or hide text.
bool IsHiddenEffect(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

std::string Escape(char32_t c)
{
    switch (c) {
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            break;
    }
    char text[16];
    std::snprintf(text, sizeof text, c < 0x100 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(c));
    return text;
}

}  // namespace

std::string VisibleText(std::string_view text, std::size_t most)
{
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == most) return shown + "…";
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            shown += Escape(static_cast<unsigned char>(text[i]));
            ++i;
            continue;
        }
        if (IsHiddenEffect(c))
            shown += Escape(c);
        else
            shown.append(text.substr(i, length));
        i += length;
    }
    return shown;
}
