#include "photo/photo_moment.h"

#include <cmath>
#include <cstdio>

namespace {

// Days since 1.1.1970 of a Gregorian date (Howard Hinnant's days_from_civil).
long long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, int& year, int& month, int& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

bool IsDigits(std::string_view text, std::size_t from, std::size_t count)
{
    if (from + count > text.size()) return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int Number(std::string_view text, std::size_t from, std::size_t count)
{
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

int DaysInMonth(int year, int month)
{
    return static_cast<int>(DaysFromCivil(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1) -
                            DaysFromCivil(year, month, 1));
}

}  // namespace

std::optional<CivilTime> ParseExifDateTime(std::string_view text)
{
    // "YYYY:MM:DD HH:MM:SS", possibly followed by a NUL or blanks.
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
    if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    for (std::size_t at : {0u, 5u, 8u, 11u, 14u, 17u})
        if (!IsDigits(text, at, at == 0 ? 4 : 2)) return std::nullopt;
    CivilTime t{Number(text, 0, 4),  Number(text, 5, 2),  Number(text, 8, 2),
                Number(text, 11, 2), Number(text, 14, 2), static_cast<double>(Number(text, 17, 2))};
    if (t.Year < 1 || t.Month < 1 || t.Month > 12 || t.Day < 1 || t.Day > DaysInMonth(t.Year, t.Month) || t.Hour > 23 ||
        t.Minute > 59 || t.Second > 60)
        return std::nullopt;
    return t;
}

std::optional<int> ParseExifOffset(std::string_view text)
{
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || !IsDigits(text, 1, 2) ||
        !IsDigits(text, 4, 2))
        return std::nullopt;
    const int hours = Number(text, 1, 2), minutes = Number(text, 4, 2);
    if (hours > 14 || minutes > 59) return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (hours * 60 + minutes);
}

CivilTime ShiftedByMinutes(const CivilTime& time, double minutes)
{
    // Seconds since the start of the day's date, shifted, then split again.
    const double seconds =
        ((DaysFromCivil(time.Year, time.Month, time.Day) * 24.0 + time.Hour) * 60.0 + time.Minute) * 60.0 +
        time.Second + minutes * 60.0;
    const double wholeMinutes = std::floor(seconds / 60.0);
    CivilTime shifted;
    shifted.Second = seconds - wholeMinutes * 60.0;
    const long long allMinutes = static_cast<long long>(wholeMinutes);
    const long long days = allMinutes >= 0 ? allMinutes / 1440 : -((-allMinutes + 1439) / 1440);
    const long long minuteOfDay = allMinutes - days * 1440;
    CivilFromDays(days, shifted.Year, shifted.Month, shifted.Day);
    shifted.Hour = static_cast<int>(minuteOfDay / 60);
    shifted.Minute = static_cast<int>(minuteOfDay % 60);
    return shifted;
}

CivilTime RoundedToMinute(const CivilTime& time)
{
    CivilTime whole = time;
    whole.Second = 0;
    return time.Second >= 30 ? ShiftedByMinutes(whole, 1) : whole;
}

CivilTime MezFromClock(const CivilTime& clock, int offsetMinutes)
{
    return RoundedToMinute(ShiftedByMinutes(clock, 60 - offsetMinutes));
}

std::string CivilTimeText(const CivilTime& t)
{
    char text[64];
    const int second = static_cast<int>(t.Second);
    if (second == 0)
        std::snprintf(text, sizeof text, "%d.%d.%d %d:%02d", t.Day, t.Month, t.Year, t.Hour, t.Minute);
    else
        std::snprintf(text, sizeof text, "%d.%d.%d %d:%02d:%02d", t.Day, t.Month, t.Year, t.Hour, t.Minute, second);
    return text;
}
