#include "setup/config_file.h"

#include "platform/cp1252.h"
#include "platform/text_file.h"

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
    site.LongitudeText = file.ReadLine();
    return site;
}

void WriteSortKey(const std::string& sortKey)
{
    std::string key = Utf8ToCp1252(sortKey);
    RewriteThroughTwin(kConfigFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine(key);
        old.SkipLines(1);
        CopyRemainingLines(old, twin);
    });
}

void WriteCurrentSite(const StoredSite& site)
{
    // Converted first, so nothing is written when a text cannot be stored.
    std::string name = Utf8ToCp1252(site.Name);
    std::string latitude = Utf8ToCp1252(site.LatitudeText);
    std::string longitude = Utf8ToCp1252(site.LongitudeText);
    RewriteThroughTwin(kConfigFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine(old.ReadRawLine());
        twin.WriteRawLine(name);
        twin.WriteRawLine(latitude);
        twin.WriteRawLine(longitude);
        old.SkipLines(3);
        CopyRemainingLines(old, twin);
    });
}
