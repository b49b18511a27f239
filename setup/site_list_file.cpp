#include "setup/site_list_file.h"

#include "platform/cp1252.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {

constexpr int kLinesPerRecord = 3;
constexpr double kLargestLatitude = 90;
constexpr double kLargestLongitude = 180;

// A record as views into the file's bytes.
struct RawSite {
    std::string_view name;
    std::string_view latitude;
    std::string_view longitude;
};

RawSite ReadRecord(TextFileReader& file)
{
    RawSite site;
    site.name = file.ReadRawLine();
    site.latitude = file.ReadRawLine();
    site.longitude = file.ReadRawLine();
    return site;
}

void WriteRecord(TextFileWriter& file, const RawSite& site)
{
    file.WriteRawLine(site.name);
    file.WriteRawLine(site.latitude);
    file.WriteRawLine(site.longitude);
}

// A record converted to the file's bytes; throws EncodingError naming the
// field for a text the file cannot hold, before anything is written.
struct EncodedSite {
    explicit EncodedSite(const StoredSite& site)
        : name(EncodeField(site.Name, "Ortsname")),
          latitude(EncodeField(site.LatitudeText, "Breite")),
          longitude(EncodeField(site.LongitudeText, "Länge"))
    {}
    RawSite Raw() const { return {name, latitude, longitude}; }

    std::string name, latitude, longitude;
};

// The name in the file's own bytes; a name the code page cannot hold names
// no record.
std::optional<std::string> FileName(const std::string& name)
{
    std::string bytes;
    if (!TryUtf8ToCp1252(name, bytes)) return std::nullopt;
    return bytes;
}

// Rewrites the file: records named `name` are replaced by `replacement`, or
// dropped when there is none; every other record is copied unchanged.
void RewriteSites(const std::string& name, const StoredSite* replacement)
{
    std::optional<std::string> wanted = FileName(name);
    std::optional<EncodedSite> newRecord;
    if (replacement) newRecord.emplace(*replacement);
    RewriteThroughTwin(kSiteListFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        do {
            RawSite record = ReadRecord(old);
            if (!wanted || record.name != *wanted)
                WriteRecord(twin, record);
            else if (newRecord)
                WriteRecord(twin, newRecord->Raw());
        } while (!old.AtEndOfRecords());
    });
}

}  // namespace

std::vector<std::string> ReadSiteNames()
{
    TextFileReader file(kSiteListFileName);
    std::vector<std::string> names;
    do {
        names.push_back(file.ReadLine());
        file.SkipLines(kLinesPerRecord - 1);
    } while (!file.AtEndOfRecords());
    return names;
}

std::optional<StoredSite> FindSite(const std::string& name, const std::string& path)
{
    std::optional<std::string> wanted = FileName(name);
    if (!wanted) return std::nullopt;
    TextFileReader file(path);
    do {
        RawSite record = ReadRecord(file);
        if (record.name == *wanted) {
            StoredSite site{Cp1252ToUtf8(record.name), Cp1252ToUtf8(record.latitude), Cp1252ToUtf8(record.longitude)};
            int longitudeLine = file.LastLineNumber();
            FileNumberInRange(site.LatitudeText, -kLargestLatitude, kLargestLatitude, path, longitudeLine - 1);
            FileNumberInRange(site.LongitudeText, -kLargestLongitude, kLargestLongitude, path, longitudeLine);
            return site;
        }
    } while (!file.AtEndOfRecords());
    return std::nullopt;
}

void AppendSite(const StoredSite& site)
{
    EncodedSite record(site);
    AppendThroughTwin(kSiteListFileName, kLinesPerRecord, [&](TextFileWriter& end) { WriteRecord(end, record.Raw()); });
}

void ReplaceSites(const std::string& name, const StoredSite& replacement) { RewriteSites(name, &replacement); }

void RemoveSites(const std::string& name) { RewriteSites(name, nullptr); }

bool IsStorableSiteName(std::string_view name) { return !HasControlCharacter(name) && IsRepresentableInCp1252(name); }
