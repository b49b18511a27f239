#pragma once
// Numbers as text and back, with an explicit decimal separator.
//
// Writing follows one rule everywhere: the shortest decimal text with at most
// 15 significant digits, no trailing zeros, no separator for whole values.
// Reading is strict about the separator for what the user types; numbers in
// the program's own files accept both "," and "." so that files written under
// other regional settings stay readable.

#include <string>
#include <string_view>

/// Number to text: at most 15 significant digits, trailing zeros dropped,
/// `decimalSeparator` between whole and fractional part ("51,3333333333333").
/// Very large or very small magnitudes use the exponent form ("1E-7").
std::string FloatToText(double value, char decimalSeparator);

/// Text typed by the user to number. Surrounding blanks are allowed; the
/// separator must be `decimalSeparator`. Throws ConversionError
/// "'<text>' ist kein gültiger Gleitkommawert".
double TextToFloat(std::string_view text, char decimalSeparator);

/// Number text read from a data file: like TextToFloat, but "," and "." are
/// both taken as the decimal separator.
double FileTextToFloat(std::string_view text);

/// Whole number: optional blanks, optional sign, digits, within 32 bits.
/// Throws ConversionError "'<text>' ist kein gültiger Integerwert".
int TextToInt(std::string_view text);

/// Like TextToInt but returns false instead of throwing.
bool TryTextToInt(std::string_view text, int& value);

/// The integer at the start of a frame line: leading blanks are skipped,
/// whatever follows the number on the line is ignored. Throws
/// ConversionError when the line does not start with a number.
int ReadLeadingInteger(std::string_view line);

/// Like ReadLeadingInteger but returns false instead of throwing.
bool TryReadLeadingInteger(std::string_view line, int& value);

/// The messages of failed conversions, for callers that read numbers in
/// their own way.
std::string NotAFloatMessage(std::string_view text);
std::string NotAnIntegerMessage(std::string_view text);

/// "'<text>' liegt außerhalb des gültigen Bereichs von <low> bis <high>".
std::string OutOfRangeMessage(std::string_view text, std::string_view low, std::string_view high);

/// A number from a data file (either separator) that must lie within
/// [low, high]. The message of the ConversionError thrown for a text that is
/// no number, or a number outside the range, begins with the place
/// ("places.dat, Zeile 5: ..."), and nothing is ever computed from it.
double FileNumberInRange(std::string_view text, double low, double high, std::string_view fileName, int line);

/// A frame line of a data file: the integer at its start (as
/// ReadLeadingInteger), which must lie within [low, high]; errors as above.
int FileIntegerInRange(std::string_view text, int low, int high, std::string_view fileName, int line);
