// The angle text for any double: every bit pattern (NaN, infinities, 1e300,
// subnormals) gives a text without undefined behaviour, and a value that has
// a sexagesimal form gives minutes and seconds within 0..59.

#include "platform/number_text.h"
#include "platform/rounding.h"
#include "platform/sexagesimal.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>
#include <cstring>

namespace {

void Check(double value)
{
    for (const SexagesimalParts& parts : {SexagesimalRounded(value), SexagesimalTruncated(value)}) {
        if (!parts.valid) continue;
        fuzz::Require(0 <= parts.minutes && parts.minutes <= 59, "minutes 0..59");
        fuzz::Require(0 <= parts.seconds && parts.seconds <= 59, "seconds 0..59");
        fuzz::Require(parts.negative == (value < 0), "sign kept");
    }
    AngleText(value);
    AngleText(value, kHourUnit);
    TruncatedAngleText(value);
    RoundHalfEven(value);
    Trunc(value);
    FloatToText(value, ',');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        Check(value);
    }
    double typed = 0;
    if (fuzz::Try([&] { typed = FileTextToFloat(fuzz::AsText(data, size)); })) Check(typed);
    return 0;
}
