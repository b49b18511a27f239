#include "app/catalogue.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

#include <iterator>
#include <string_view>

namespace {

constexpr int kFrameLines = static_cast<int>(std::size(kLunarObjectFrameLines));
constexpr int kTextLines = static_cast<int>(std::size(kLunarObjectTextLines));
constexpr int kLinesPerRecord = kFrameLines + kTextLines;

// Positions in kLunarObjectTextLines.
enum TextLine { kName = 0, kLatitude = 1, kLongitude = 2, kHeight = 3, kOrigin = kTextLines - 1 };

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
LunarObject ToObject(const RawRecord& raw)
{
    CheckCoordinate(raw, kLatitude, kLargestLatitude);
    CheckCoordinate(raw, kLongitude, kLargestLongitude);
    LunarObject object = raw.object;
    for (int i = 0; i < kTextLines; ++i) object.*kLunarObjectTextLines[i].field = Cp1252ToUtf8(raw.lines[i]);
    return object;
}

// Reads records until `matches` accepts one or the file ends; the loop body
// runs at least once. Only the raw views are kept while scanning.
template <class Matches>
std::optional<LunarObject> FindFirst(SelectedObjectTexts& selected, Matches matches)
{
    TextFileReader file(kCatalogueFileName);
    RawRecord record;
    std::optional<LunarObject> found;
    do {
        ReadRecord(file, record);
        if (matches(record)) {
            found = ToObject(record);
            break;
        }
    } while (!file.AtEndOfRecords());
    selected.Latitude = Cp1252ToUtf8(record.lines[kLatitude]);
    selected.Longitude = Cp1252ToUtf8(record.lines[kLongitude]);
    selected.Height = Cp1252ToUtf8(record.lines[kHeight]);
    return found;
}

}  // namespace

std::vector<std::string> ReadObjectNames()
{
    TextFileReader file(kCatalogueFileName);
    std::vector<std::string> names;
    do {
        file.SkipLines(kFrameLines);
        names.push_back(file.ReadLine());
        file.SkipLines(kLinesPerRecord - kFrameLines - 1);
    } while (!file.AtEndOfRecords());
    return names;
}

std::optional<LunarObject> FindObjectByName(const std::string& name, SelectedObjectTexts& selected)
{
    // Compared in the file's own bytes; a name the code page cannot hold
    // matches no record.
    std::string wanted;
    bool representable = TryUtf8ToCp1252(name, wanted);
    return FindFirst(selected, [&](const RawRecord& record) { return representable && record.lines[kName] == wanted; });
}

std::optional<LunarObject> FindObjectAtPoint(int x, int y, SelectedObjectTexts& selected)
{
    return FindFirst(selected, [&](const RawRecord& record) { return record.object.FrameContains(x, y); });
}

std::vector<LunarObject> ReadAllObjects()
{
    TextFileReader file(kCatalogueFileName);
    std::vector<LunarObject> objects;
    RawRecord record;
    do {
        ReadRecord(file, record);
        objects.push_back(ToObject(record));
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
