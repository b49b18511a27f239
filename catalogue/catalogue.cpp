#include "catalogue/catalogue.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/regular_file.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iterator>
#include <memory>
#include <string_view>

namespace {

constexpr int kFrameLines = static_cast<int>(std::size(kLunarObjectFrameLines));
constexpr int kTextLines = static_cast<int>(std::size(kLunarObjectTextLines));
constexpr int kLinesPerRecord = kFrameLines + kTextLines;

// Positions in kLunarObjectTextLines.
enum TextLine { kName = 0, kLatitude = 1, kLongitude = 2, kHeight = 3, kDescription1 = 4, kOrigin = kTextLines - 1 };

// The map is 401 x 401 pixels: a frame line outside 0..400 is damage, and
// the marker placement must never compute with it.
constexpr int kLargestMapPixel = 400;
constexpr double kLargestLatitude = 90;
constexpr double kLargestLongitude = 180;

// A record as views into the file's bytes: nothing is copied until a record
// is actually shown. Only the frame of `object` is filled while scanning.
struct RawRecord {
    LunarObject object;
    std::string_view lines[kTextLines];
    int firstLine = 0;
};

// A frame line read at the very end of the file counts as 0, as for a
// truncated last record; a line that does not start with a number, or one
// outside the map, is an error naming file and line.
int ReadFrameLine(TextFileReader& file)
{
    if (file.AtEnd()) return 0;
    std::string_view line = file.ReadRawLine();
    int value = 0;
    if (TryReadLeadingInteger(line, value) && 0 <= value && value <= kLargestMapPixel) return value;
    // Only a bad line pays for the message (and its text in UTF-8).
    return FileIntegerInRange(Cp1252ToUtf8(line), 0, kLargestMapPixel, file.FileName(), file.LastLineNumber());
}

void ReadRecord(TextFileReader& file, RawRecord& record)
{
    record.firstLine = file.LastLineNumber() + 1;
    for (int LunarObject::*frameLine : kLunarObjectFrameLines) record.object.*frameLine = ReadFrameLine(file);
    for (std::string_view& line : record.lines) line = file.ReadRawLine();
}

// A coordinate of a record about to be shown: empty, or a number in range.
void CheckCoordinate(const RawRecord& record, TextLine which, double largest)
{
    std::string_view text = record.lines[which];
    if (text.empty()) return;
    FileNumberInRange(Cp1252ToUtf8(text), -largest, largest, kCatalogueFileName,
                      record.firstLine + kFrameLines + which);
}

// The record as the program shows it; its coordinates are checked first.
LunarObject ToObject(const RawRecord& raw, ObjectTexts texts = ObjectTexts::All)
{
    CheckCoordinate(raw, kLatitude, kLargestLatitude);
    CheckCoordinate(raw, kLongitude, kLargestLongitude);
    LunarObject object = raw.object;
    const int converted = texts == ObjectTexts::All ? kTextLines : kDescription1 + 1;
    for (int i = 0; i < converted; ++i) object.*kLunarObjectTextLines[i].field = Cp1252ToUtf8(raw.lines[i]);
    return object;
}

// A record as the lookups need it without reading it again: its frame, its
// name (a view into the snapshot's bytes) and where it starts.
struct IndexedRecord {
    int FrameLeft, FrameRight, FrameTop, FrameBottom;
    std::string_view Name;
    TextFileReader::Position Start;

    bool FrameContains(int x, int y) const
    {
        return FrameLeft <= x && x <= FrameRight && FrameTop <= y && y <= FrameBottom;
    }
};

// objects.dat as read once, walked record by record in the order every
// lookup reads it. A damaged record ends the walk: a lookup that gets there
// fails with the error reading it raised, as a reading lookup would.
struct CatalogueSnapshot {
    explicit CatalogueSnapshot(TextFileReader file) : start(std::move(file))
    {
        TextFileReader walk = start;
        RawRecord record;
        try {
            do {
                const TextFileReader::Position at = walk.Tell();
                ReadRecord(walk, record);
                const LunarObject& f = record.object;
                records.push_back({f.FrameLeft, f.FrameRight, f.FrameTop, f.FrameBottom, record.lines[kName], at});
            } while (!walk.AtEndOfRecords());
        } catch (...) {
            damage = std::current_exception();
        }
    }

    // The record at `at`, read again.
    RawRecord Read(const IndexedRecord& at) const
    {
        TextFileReader file = start;
        file.Seek(at.Start);
        RawRecord record;
        ReadRecord(file, record);
        return record;
    }

    TextFileReader start;  // at the first byte; readers for walks are copies
    std::vector<IndexedRecord> records;
    std::exception_ptr damage;
    std::shared_ptr<const std::vector<std::string>> names;  // made by the first ReadObjectNames
    std::uint64_t version = 0;
};

std::shared_ptr<CatalogueSnapshot>& KeptSnapshot()
{
    static std::shared_ptr<CatalogueSnapshot> kept;
    return kept;
}

// objects.dat as it is now. The file stays the truth: it is read whole at
// every lookup, and what was made of it last serves again only when its
// bytes are the same.
std::shared_ptr<CatalogueSnapshot> CurrentCatalogue()
{
    std::string bytes = ReadRegularFile(kCatalogueFileName);
    std::shared_ptr<CatalogueSnapshot>& kept = KeptSnapshot();
    if (kept && kept->start.OriginalBytes() == bytes) return kept;
    kept.reset();
    kept = std::make_shared<CatalogueSnapshot>(TextFileReader(kCatalogueFileName, std::move(bytes)));
    static std::uint64_t versions = 0;
    kept->version = ++versions;
    return kept;
}

// The first record `matches` accepts, in file order; `selected` gets the
// texts of that record, or of the last one when none matches.
template <class Matches>
std::optional<LunarObject> FindFirst(SelectedObjectTexts& selected, Matches matches)
{
    std::shared_ptr<const CatalogueSnapshot> catalogue = CurrentCatalogue();
    const std::vector<IndexedRecord>& records = catalogue->records;
    const auto match = std::find_if(records.begin(), records.end(), matches);
    if (match == records.end() && catalogue->damage) std::rethrow_exception(catalogue->damage);
    const RawRecord record = catalogue->Read(match == records.end() ? records.back() : *match);
    std::optional<LunarObject> found;
    if (match != records.end()) found = ToObject(record);
    selected.Latitude = Cp1252ToUtf8(record.lines[kLatitude]);
    selected.Longitude = Cp1252ToUtf8(record.lines[kLongitude]);
    selected.Height = Cp1252ToUtf8(record.lines[kHeight]);
    return found;
}

}  // namespace

void ForgetKeptCatalogue() { KeptSnapshot().reset(); }

std::uint64_t CatalogueVersion() { return CurrentCatalogue()->version; }

std::shared_ptr<const std::vector<std::string>> ReadObjectNames()
{
    std::shared_ptr<CatalogueSnapshot> catalogue = CurrentCatalogue();
    if (catalogue->names) return catalogue->names;
    auto names = std::make_shared<std::vector<std::string>>();
    if (!catalogue->damage) {
        // Every record was read: their names are those a walk would find.
        names->reserve(catalogue->records.size());
        for (const IndexedRecord& record : catalogue->records) names->push_back(Cp1252ToUtf8(record.Name));
    } else {
        // The list skips the frame lines: a damaged one does not end it.
        TextFileReader file = catalogue->start;
        do {
            file.SkipLines(kFrameLines);
            names->push_back(file.ReadLine());
            file.SkipLines(kLinesPerRecord - kFrameLines - 1);
        } while (!file.AtEndOfRecords());
    }
    catalogue->names = names;
    return names;
}

std::optional<LunarObject> FindObjectByName(const std::string& name, SelectedObjectTexts& selected)
{
    // Compared in the file's own bytes; a name the code page cannot hold
    // matches no record.
    std::string wanted;
    bool representable = TryUtf8ToCp1252(name, wanted);
    return FindFirst(selected, [&](const IndexedRecord& record) { return representable && record.Name == wanted; });
}

std::optional<LunarObject> FindObjectAtPoint(int x, int y, SelectedObjectTexts& selected)
{
    return FindFirst(selected, [&](const IndexedRecord& record) { return record.FrameContains(x, y); });
}

std::vector<LunarObject> ReadAllObjects(ObjectTexts texts)
{
    std::shared_ptr<const CatalogueSnapshot> catalogue = CurrentCatalogue();
    TextFileReader file = catalogue->start;
    std::vector<LunarObject> objects;
    objects.reserve(catalogue->records.size());
    RawRecord record;
    do {
        ReadRecord(file, record);
        objects.push_back(ToObject(record, texts));
    } while (!file.AtEndOfRecords());
    return objects;
}

int DeleteUserObjects(const std::string& name)
{
    std::string wanted;
    bool representable = TryUtf8ToCp1252(name, wanted);
    int removed = 0;
    RewriteThroughTwin(kCatalogueFileName, [&](TextFileReader& old, TextFileWriter& twin) {
        RawRecord record;
        do {
            ReadRecord(old, record);
            if (representable && IsUserOrigin(record.lines[kOrigin]) && record.lines[kName] == wanted) {
                ++removed;
                continue;
            }
            for (int LunarObject::*frameLine : kLunarObjectFrameLines)
                twin.WriteRawLine(std::to_string(record.object.*frameLine));
            for (std::string_view line : record.lines) twin.WriteRawLine(line);
        } while (!old.AtEndOfRecords());
    });
    return removed;
}

void AppendObject(const LunarObject& object)
{
    // Every text is checked and converted first, so a text the file cannot
    // hold refuses the whole record before the file is touched.
    std::string lines[kTextLines];
    for (int i = 0; i < kTextLines; ++i)
        lines[i] = EncodeField(object.*kLunarObjectTextLines[i].field, kLunarObjectTextLines[i].label);
    AppendThroughTwin(kCatalogueFileName, kLinesPerRecord, [&](TextFileWriter& end) {
        for (int LunarObject::*frameLine : kLunarObjectFrameLines) end.WriteRawLine(std::to_string(object.*frameLine));
        for (const std::string& line : lines) end.WriteRawLine(line);
    });
}
