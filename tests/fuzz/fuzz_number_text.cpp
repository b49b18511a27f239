// Number and integer texts, typed or read from a file, and the number text
// the program writes: whatever is read back from a written number is that
// number again.

#include "platform/number_text.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>

namespace {

void CheckRoundTrip(double value)
{
    for (char separator : {',', '.'}) {
        std::string text = FloatToText(value, separator);
        double back = TextToFloat(text, separator);  // throws (and so fails) when unreadable
        fuzz::Require(std::abs(back - value) <= 1e-14 * std::abs(value), "number text reads back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    std::string_view text = fuzz::AsText(data, size);
    for (char separator : {',', '.'}) {
        double value = 0;
        if (fuzz::Try([&] { value = TextToFloat(text, separator); })) CheckRoundTrip(value);
    }
    double fileValue = 0;
    if (fuzz::Try([&] { fileValue = FileTextToFloat(text); })) CheckRoundTrip(fileValue);
    fuzz::Try([&] {
        double inRange = FileNumberInRange(text, -90, 90, "places.dat", 2);
        fuzz::Require(-90 <= inRange && inRange <= 90, "number in range");
    });

    int whole = 0;
    bool parsed = TryTextToInt(text, whole);
    bool converted = fuzz::Try([&] { fuzz::Require(TextToInt(text) == whole, "same integer"); });
    fuzz::Require(parsed == converted, "TryTextToInt agrees with TextToInt");
    if (parsed) fuzz::Require(TextToInt(std::to_string(whole)) == whole, "integer text reads back");
    fuzz::Try([&] { ReadLeadingInteger(text); });
    fuzz::Try([&] {
        int pixel = FileIntegerInRange(text, 0, 400, "objects.dat", 1);
        fuzz::Require(0 <= pixel && pixel <= 400, "frame line on the map");
    });
    return 0;
}
