#pragma once
// The moment a photograph was taken, as its file states it, and the same
// moment in MEZ, the program's time (UT + 1 h, never summer time).
//
// FITS files give DATE-OBS in UT. Cameras write EXIF DateTimeOriginal on
// their own clock, whose zone the file rarely states: the user says it
// once (hours from UT, kept with the preferences).

#include <optional>
#include <string>
#include <string_view>

/// A date and time of the Gregorian calendar on some clock.
struct CivilTime {
    int Year = 2000;
    int Month = 1;  ///< 1..12
    int Day = 1;    ///< 1..31
    int Hour = 0;   ///< 0..23
    int Minute = 0;
    double Second = 0;  ///< 0 <= s < 61

    bool operator==(const CivilTime&) const = default;
};

/// EXIF DateTimeOriginal, "2026:12:18 16:35:07"; empty when the text is
/// not such a date and time (cameras write "    :  :     :  :  " or zeros
/// when their clock was never set).
std::optional<CivilTime> ParseExifDateTime(std::string_view text);

/// EXIF OffsetTimeOriginal, "+01:00" or "-05:30": minutes east of UT;
/// empty for anything else.
std::optional<int> ParseExifOffset(std::string_view text);

/// The same moment `minutes` later (negative: earlier), across days,
/// months and years.
CivilTime ShiftedByMinutes(const CivilTime& time, double minutes);

/// The moment rounded to the whole minute (half a minute rounds up), as
/// the observation's time holds it.
CivilTime RoundedToMinute(const CivilTime& time);

/// The moment in MEZ of a clock `offsetMinutes` east of UT, to the minute:
/// UT is the clock's time minus the offset, MEZ is UT + 60 minutes.
CivilTime MezFromClock(const CivilTime& clock, int offsetMinutes);

/// "18.12.2026 16:35:07", whole seconds, left out when they are 0.
std::string CivilTimeText(const CivilTime& time);
