#include "setup/config_file.h"

#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {

constexpr double kLargestLatitude = 90;
constexpr double kLargestLongitude = 180;

}  // namespace

std::string ReadSortKey()
{
    TextFileReader file(kConfigFileName);
    return file.ReadLine();
}

StoredSite ReadCurrentSite()
{
    TextFileReader file(kConfigFileName);
    file.SkipLines(1);
    StoredSite site;
    site.Name = file.ReadLine();
    site.LatitudeText = file.ReadLine();
    FileNumberInRange(site.LatitudeText, -kLargestLatitude, kLargestLatitude, kConfigFileName, file.LastLineNumber());
    site.LongitudeText = file.ReadLine();
    FileNumberInRange(site.LongitudeText, -kLargestLongitude, kLargestLongitude, kConfigFileName,
                      file.LastLineNumber());
    return site;
}

void WriteSortKey(const std::string& sortKey)
{
    std::string key = EncodeField(sortKey, "Sortierung");
    RewriteThroughTwin(kConfigFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine(key);
        old.SkipLines(1);
        CopyRemainingLines(old, twin);
    });
}

void WriteCurrentSite(const StoredSite& site)
{
    // Checked and converted first, so nothing is written when a text cannot
    // be stored.
    std::string name = EncodeField(site.Name, "Ort");
    std::string latitude = EncodeField(site.LatitudeText, "Breite");
    std::string longitude = EncodeField(site.LongitudeText, "Länge");
    RewriteThroughTwin(kConfigFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine(old.ReadRawLine());
        twin.WriteRawLine(name);
        twin.WriteRawLine(latitude);
        twin.WriteRawLine(longitude);
        old.SkipLines(3);
        CopyRemainingLines(old, twin);
    });
}
