// The new-object panel's fields as typed (or pasted): the checks either
// name the first problem, raise a conversion error, or pass; an entry that
// passes becomes a record whose angles read back within range, and whose
// texts are stored only when they hold no control character.

#include "app/new_object.h"
#include "platform/number_text.h"
#include "platform/text_file.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    // Fields are separated by the record separator byte, so that a field may
    // hold line breaks and every other byte.
    std::vector<std::string> fields = fuzz::Split(fuzz::AsText(data, size), '\x1E', 12);
    NewObjectEntry entry{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5],
                         fields[6], fields[7], fields[8], fields[9], fields[10]};
    char separator = !fields[11].empty() && fields[11][0] == '.' ? '.' : ',';

    std::string problem;
    if (!fuzz::Try([&] { problem = NewObjectProblem(entry, separator); })) return 0;
    if (!problem.empty()) return 0;
    LunarObject object = MakeUserObject(entry, {10, 20, 30, 40}, separator);
    double latitude = TextToFloat(object.SelenographicLatitude, separator);
    double longitude = TextToFloat(object.SelenographicLongitude, separator);
    fuzz::Require(std::abs(latitude) <= 90, "latitude within ±90");
    fuzz::Require(std::abs(longitude) < 91, "longitude within the visible side");
    for (const LunarObjectTextLine& line : kLunarObjectTextLines) {
        std::string stored;
        if (fuzz::Try([&] { stored = EncodeField(object.*line.field, line.label); }))
            fuzz::Require(stored.find_first_of("\r\n") == std::string::npos, "no line break stored");
    }
    return 0;
}
