#include "app/catalogue.h"

#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

#include <string_view>

namespace {

constexpr int kLinesPerRecord = 12;
constexpr int kFrameLines = 4;

// A record as views into the file's bytes: nothing is copied until a record
// is actually shown.
struct RawRecord {
    int frame[kFrameLines] = {};
    std::string_view lines[kLinesPerRecord - kFrameLines];  // name .. origin
};

// A frame line read at the very end of the file counts as 0, as for a
// truncated last record; a line that does not start with a number is an error.
int ReadFrameLine(TextFileReader& file)
{
    if (file.AtEnd()) return 0;
    std::string_view line = file.ReadRawLine();
    try {
        return ReadLeadingInteger(line);
    } catch (const ConversionError&) {
        throw ConversionError(NotAnIntegerMessage(Cp1252ToUtf8(line)));
    }
}

void ReadRecord(TextFileReader& file, RawRecord& record)
{
    for (int& value : record.frame) value = ReadFrameLine(file);
    for (std::string_view& line : record.lines) line = file.ReadRawLine();
}

enum Field { kName, kLatitude, kLongitude, kHeight, kDescription1, kDescription2, kDescription3, kOrigin };

LunarObject ToObject(const RawRecord& raw)
{
    LunarObject object;
    object.FrameLeft = raw.frame[0];
    object.FrameRight = raw.frame[1];
    object.FrameTop = raw.frame[2];
    object.FrameBottom = raw.frame[3];
    object.Name = Cp1252ToUtf8(raw.lines[kName]);
    object.SelenographicLatitude = Cp1252ToUtf8(raw.lines[kLatitude]);
    object.SelenographicLongitude = Cp1252ToUtf8(raw.lines[kLongitude]);
    object.Height = Cp1252ToUtf8(raw.lines[kHeight]);
    object.Description1 = Cp1252ToUtf8(raw.lines[kDescription1]);
    object.Description2 = Cp1252ToUtf8(raw.lines[kDescription2]);
    object.Description3 = Cp1252ToUtf8(raw.lines[kDescription3]);
    object.Origin = Cp1252ToUtf8(raw.lines[kOrigin]);
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
    std::string_view latitude, longitude, height;
    do {
        ReadRecord(file, record);
        latitude = record.lines[kLatitude];
        longitude = record.lines[kLongitude];
        height = record.lines[kHeight];
        if (matches(record)) {
            found = ToObject(record);
            break;
        }
    } while (!file.AtEnd());
    selected.Latitude = Cp1252ToUtf8(latitude);
    selected.Longitude = Cp1252ToUtf8(longitude);
    selected.Height = Cp1252ToUtf8(height);
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
    } while (!file.AtEnd());
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
    return FindFirst(selected, [&](const RawRecord& record) {
        return record.frame[0] <= x && x <= record.frame[1] && record.frame[2] <= y && y <= record.frame[3];
    });
}

std::vector<LunarObject> ReadAllObjects()
{
    TextFileReader file(kCatalogueFileName);
    std::vector<LunarObject> objects;
    RawRecord record;
    do {
        ReadRecord(file, record);
        objects.push_back(ToObject(record));
    } while (!file.AtEnd());
    return objects;
}

void WriteObjectRecord(TextFileWriter& file, const LunarObject& object)
{
    for (int value : {object.FrameLeft, object.FrameRight, object.FrameTop, object.FrameBottom})
        file.WriteRawLine(std::to_string(value));
    for (const std::string* text :
         {&object.Name, &object.SelenographicLatitude, &object.SelenographicLongitude, &object.Height,
          &object.Description1, &object.Description2, &object.Description3, &object.Origin})
        file.WriteLine(*text);
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
            for (int value : record.frame) twin.WriteRawLine(std::to_string(value));
            for (std::string_view line : record.lines) twin.WriteRawLine(line);
        } while (!old.AtEnd());
    });
    return removed;
}

void AppendObject(const LunarObject& object)
{
    // Converting first means an unstorable text refuses the whole record.
    for (const std::string* text :
         {&object.Name, &object.SelenographicLatitude, &object.SelenographicLongitude, &object.Height,
          &object.Description1, &object.Description2, &object.Description3, &object.Origin})
        Utf8ToCp1252(*text);
    TextFileWriter file(kCatalogueFileName, TextFileWriter::Mode::Append);
    WriteObjectRecord(file, object);
    file.Close();
}
