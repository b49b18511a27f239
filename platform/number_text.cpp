#include "platform/number_text.h"

#include "platform/errors.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr int kSignificantDigits = 15;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the shape [sign] digits [sep digits] [e [sign] digits] with at least
// one mantissa digit, and copies it with '.' as separator for from_chars.
bool NormaliseFloat(std::string_view s, bool acceptComma, bool acceptPoint, std::string& out)
{
    out.clear();
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') out += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        out += s[i++];
        ++mantissaDigits;
    }
    if (i < s.size() && ((acceptComma && s[i] == ',') || (acceptPoint && s[i] == '.'))) {
        out += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) out += s[i++];
        size_t exponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    return i == s.size();
}

double ParseFloat(std::string_view text, bool acceptComma, bool acceptPoint)
{
    std::string normalised;
    if (!NormaliseFloat(TrimBlanks(text), acceptComma, acceptPoint, normalised))
        throw ConversionError(NotAFloatMessage(text));
    double value = 0;
    auto [end, ec] = std::from_chars(normalised.data(), normalised.data() + normalised.size(), value);
    if (ec != std::errc() || end != normalised.data() + normalised.size() || !std::isfinite(value))
        throw ConversionError(NotAFloatMessage(text));
    return value;
}

// The offending text as a message shows it: control characters (a binary
// file's bytes) become "?", and a long text is cut after 40 bytes at a
// character boundary.
std::string ShownText(std::string_view text)
{
    constexpr size_t kLongest = 40;
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (i >= kLongest && (byte & 0xC0) != 0x80) {
            shown += "…";
            break;
        }
        shown += byte < 0x20 || byte == 0x7F ? '?' : text[i];
    }
    return shown;
}

// "'<text>'<suffix>", built by appending (GCC 12 warns falsely about
// operator+ on a temporary here).
std::string QuotedMessage(std::string_view text, std::string_view suffix)
{
    std::string message;
    message += '\'';
    message += ShownText(text);
    message += '\'';
    message.append(suffix);
    return message;
}

// Parses [sign] digits at the start of s; returns the number of characters
// used, 0 when there is no number.
size_t ParseIntegerPrefix(std::string_view s, int& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    size_t firstDigit = i;
    long long magnitude = 0;
    while (i < s.size() && IsDigit(s[i])) {
        magnitude = magnitude * 10 + (s[i] - '0');
        if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return 0;
        ++i;
    }
    if (i == firstDigit) return 0;
    long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max() || signedValue < std::numeric_limits<int>::min()) return 0;
    value = static_cast<int>(signedValue);
    return i;
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view text) { return QuotedMessage(text, " ist kein gültiger Integerwert"); }

std::string NotAFloatMessage(std::string_view text) { return QuotedMessage(text, " ist kein gültiger Gleitkommawert"); }

std::string FloatToText(double value, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";

    // Digits and exponent of the value rounded to 15 significant digits
    // ("-1.23450000000000e+02"); to_chars gives the digits printf's %.14e
    // gives, several times faster, which the ephemeris table feels.
    char buffer[40];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kSignificantDigits - 1);
    std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));
    bool negative = text.front() == '-';
    if (negative) text.remove_prefix(1);
    size_t ePos = text.find('e');
    std::string_view exponentText = text.substr(ePos + 1);
    if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (IsDigit(c)) digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string result = negative ? "-" : "";
    if (exponent >= kSignificantDigits || exponent < -5) {
        result += digits[0];
        if (digits.size() > 1) {
            result += decimalSeparator;
            result += digits.substr(1);
        }
        result += 'E';
        result += std::to_string(exponent);
        return result;
    }
    if (exponent < 0) {
        result += '0';
        result += decimalSeparator;
        result.append(static_cast<size_t>(-exponent - 1), '0');
        result += digits;
        return result;
    }
    size_t wholeDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= wholeDigits) {
        result += digits;
        result.append(wholeDigits - digits.size(), '0');
    } else {
        result += digits.substr(0, wholeDigits);
        result += decimalSeparator;
        result += digits.substr(wholeDigits);
    }
    return result;
}

double TextToFloat(std::string_view text, char decimalSeparator)
{
    return ParseFloat(text, decimalSeparator == ',', decimalSeparator == '.');
}

double FileTextToFloat(std::string_view text) { return ParseFloat(text, true, true); }

bool TryTextToInt(std::string_view text, int& value)
{
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    int parsed = 0;
    size_t used = ParseIntegerPrefix(s, parsed);
    if (used == 0 || used != s.size()) return false;
    value = parsed;
    return true;
}

int TextToInt(std::string_view text)
{
    int value = 0;
    if (!TryTextToInt(text, value)) throw ConversionError(NotAnIntegerMessage(text));
    return value;
}

bool TryReadLeadingInteger(std::string_view line, int& value)
{
    std::string_view s = line;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return ParseIntegerPrefix(s, value) != 0;
}

int ReadLeadingInteger(std::string_view line)
{
    int value = 0;
    if (!TryReadLeadingInteger(line, value)) throw ConversionError(NotAnIntegerMessage(line));
    return value;
}

namespace {

// Runs a conversion of a data file's text; its error gets the place in front.
template <class Convert>
auto ConvertAt(std::string_view fileName, int line, Convert convert)
{
    try {
        return convert();
    } catch (const ConversionError& error) {
        throw ConversionError(Located(FileLine(fileName, line), error.what()));
    }
}

}  // namespace

double FileNumberInRange(std::string_view text, double low, double high, std::string_view fileName, int line)
{
    return ConvertAt(fileName, line, [&] {
        double value = FileTextToFloat(text);
        if (value < low || value > high)
            throw ConversionError(OutOfRangeMessage(text, FloatToText(low, ','), FloatToText(high, ',')));
        return value;
    });
}

int FileIntegerInRange(std::string_view text, int low, int high, std::string_view fileName, int line)
{
    return ConvertAt(fileName, line, [&] {
        int value = ReadLeadingInteger(text);
        if (value < low || value > high)
            throw ConversionError(OutOfRangeMessage(text, std::to_string(low), std::to_string(high)));
        return value;
    });
}

std::string OutOfRangeMessage(std::string_view text, std::string_view low, std::string_view high)
{
    return QuotedMessage(
        text, " liegt außerhalb des gültigen Bereichs von " + std::string(low) + " bis " + std::string(high));
}
