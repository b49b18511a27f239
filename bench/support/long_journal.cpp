#include "bench/support/long_journal.h"

#include "platform/cp1252.h"
#include "tests/support/temp_working_dir.h"

#include <vector>

namespace {

constexpr int kFormations = 50;

}  // namespace

JournalMeasurement JournalTiming(int night, int timing)
{
    JournalMeasurement m;
    m.Day = 1 + night % 28;
    m.Month = 1 + night / 28 % 12;
    m.Year = 2000 + night / (28 * 12);
    m.Hour = 21;
    m.Minute = timing;
    m.SiteName = "Zürich";
    m.SiteLatitude = 47.3769;
    m.SiteLongitude = 8.5417;
    m.Formation = "Formation " + std::to_string(night % kFormations);
    m.FormationLatitude = -11.25;
    m.FormationLongitude = 29.75;
    m.TransitSeconds = 1 + timing * 0.01;
    m.Height = 2000 + timing * 7.3;
    m.CatalogueHeight = "2100";
    m.TerminatorCorrection = 0.1234;
    m.SunAltitude = 4.5678;
    return m;
}

std::string WriteLongJournal(int nights)
{
    std::vector<JournalMeasurement> measurements;
    for (int night = 0; night < nights; ++night)
        for (int timing = 0; timing < kJournalTimingsPerNight; ++timing)
            measurements.push_back(JournalTiming(night, timing));
    std::string bytes = Utf8ToCp1252(JournalHeader()) + "\r\n";
    for (const JournalMeasurement& m : measurements) bytes += Utf8ToCp1252(JournalLine(m, ',')) + "\r\n";
    WriteBytes(kJournalFileName, bytes);
    return bytes;
}
