#pragma once
// Windows-1252, the 8-bit code page of the program's data files, and UTF-8,
// the encoding of every text inside the program.

#include <string>
#include <string_view>

/// Every byte maps to one character; the five bytes Windows-1252 leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the
/// same number, so any file content survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

/// Converts to Windows-1252. Returns false (and leaves `out` partly
/// filled) when the text holds a character the code page cannot store or
/// is not valid UTF-8.
bool TryUtf8ToCp1252(std::string_view utf8, std::string& out);

/// Like TryUtf8ToCp1252 but throws EncodingError naming the first character
/// that cannot be stored.
std::string Utf8ToCp1252(std::string_view utf8);

/// True when every character of `utf8` can be written to a data file.
bool IsRepresentableInCp1252(std::string_view utf8);

/// Decodes the UTF-8 character at s[i] into `cp`; returns its length in
/// bytes, 0 when the bytes there are no valid UTF-8. Only the shortest form
/// of a code point is valid: an overlong form such as C0 8A would smuggle a
/// line break past every check. Surrogates and values beyond U+10FFFF are
/// invalid too.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp);

/// True when `text` is well-formed UTF-8: no cut or overlong sequences, no
/// surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

/// The characters no line of a data file may hold: below U+0020, and U+007F.
/// A line break among them would split a record in two.
constexpr bool IsControlCharacter(char32_t c) { return c < 0x20 || c == 0x7F; }

/// True when a byte of `text` is such a character (in UTF-8 and in
/// Windows-1252 these bytes stand for themselves).
bool HasControlCharacter(std::string_view text);
