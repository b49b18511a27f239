#include "setup/time_fields.h"

#include "astronomy/clock.h"
#include "platform/number_text.h"

namespace {

// Outside February the year does not change a month's length.
constexpr int kAnyYear = 2001;

bool InRange(int value, int low, int high) { return low <= value && value <= high; }

}  // namespace

std::optional<ObservationTime> ReadTimeFields(const TimeFields& fields)
{
    ObservationTime time;
    time.Month = TextToInt(fields.Month);
    bool valid = InRange(time.Month, 1, 12);
    if (valid) {
        int year = time.Month == 2 ? TextToInt(fields.Year) : kAnyYear;
        time.Day = TextToInt(fields.Day);
        valid = IsValidDate(year, time.Month, time.Day);
    }
    time.Year = TextToInt(fields.Year);
    valid = valid && InRange(time.Year, 1, 9999);
    time.Hour = TextToInt(fields.Hour);
    valid = valid && InRange(time.Hour, 0, 23);
    // "05" is read as "5".
    const std::string& minute = fields.Minute;
    time.Minute = TextToInt(minute.size() >= 2 && minute[0] == '0' ? minute.substr(1, 1) : minute);
    valid = valid && InRange(time.Minute, 0, 59);
    if (!valid) return std::nullopt;
    return time;
}
