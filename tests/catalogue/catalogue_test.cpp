// The catalogue file: names, lookups by name and by map point, deletion of
// the user's own objects and appending.

#include "catalogue/catalogue.h"
#include "platform/errors.h"
#include "platform/file_operations.h"
#include "platform/text_file.h"
#include "tests/support/catalogue_records.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

class Catalogue : public ::testing::Test {
protected:
    TempWorkingDir dir;
    SelectedObjectTexts selected;
};

TEST_F(Catalogue, NamesInFileOrder)
{
    WriteBytes("objects.dat", Record("10 20 30 40", "Tycho", "-43,3", "-11,2", "4800", "1") +
                                  Record("50 60 70 80", "Pl\xE4tzchen", "", "", "", "0"));
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"Tycho", "Plätzchen"}));
}

TEST_F(Catalogue, ListsGetNameCoordinatesHeightAndKindOnly)
{
    WriteBytes("objects.dat", CatalogueRecord({"10 20 30 40", "K\xF6nig", "-43,3", "-11,2", "4800", "1", "Krater",
                                               "zweite Zeile", "dritte Zeile"}));
    const LunarObject whole = ReadAllObjects().at(0);
    const LunarObject listed = ReadAllObjects(ObjectTexts::ForLists).at(0);
    EXPECT_EQ(listed.Name, "König");
    EXPECT_EQ(listed.SelenographicLatitude, whole.SelenographicLatitude);
    EXPECT_EQ(listed.SelenographicLongitude, whole.SelenographicLongitude);
    EXPECT_EQ(listed.Height, "4800");
    EXPECT_EQ(listed.Description1, "Krater");
    EXPECT_EQ(listed.FrameRight, whole.FrameRight);
    EXPECT_TRUE(listed.Description2.empty());
    EXPECT_EQ(whole.Description2, "zweite Zeile");
}

TEST_F(Catalogue, EmptyFileGivesOneEmptyName)
{
    WriteBytes("objects.dat", "");
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{""}));
}

TEST_F(Catalogue, LfOnlyFilesReadLikeCrLfFiles)
{
    std::string crlf = Record("1 2 3 4", "A", "1", "2", "", "0") + Record("5 6 7 8", "B", "3", "4", "", "1");
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    WriteBytes("objects.dat", lf);
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"A", "B"}));
    auto found = FindObjectByName("B", selected);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->FrameBottom, 8);
    EXPECT_EQ(found->Origin, "1");
}

TEST_F(Catalogue, TruncatedLastRecordReadsWithEmptyFields)
{
    WriteBytes("objects.dat", Record("1 2 3 4", "A", "1", "2", "", "0") + "10\r\n20\r\n30\r\n40\r\nHalb\r\n5,5\r\n");
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"A", "Halb"}));
    auto found = FindObjectByName("Halb", selected);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->SelenographicLatitude, "5,5");
    EXPECT_EQ(found->SelenographicLongitude, "");
    EXPECT_EQ(found->Origin, "");
    EXPECT_FALSE(found->OffersHeightMeasurement());
}

TEST_F(Catalogue, FindByNameTakesTheFirstExactMatch)
{
    WriteBytes("objects.dat", Record("1 2 3 4", "Doppel", "1", "2", "100", "0") +
                                  Record("5 6 7 8", "Doppel", "3", "4", "200", "2") +
                                  Record("9 9 9 9", "Ende", "5", "6", "300", "0"));
    auto found = FindObjectByName("Doppel", selected);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->FrameLeft, 1);
    EXPECT_EQ(selected.Height, "100");

    EXPECT_FALSE(FindObjectByName("doppel", selected));
    EXPECT_FALSE(FindObjectByName("Doppel ", selected));
    // Nothing matched: the texts are those of the last record read.
    EXPECT_EQ(selected.Latitude, "5");
    EXPECT_EQ(selected.Longitude, "6");
    EXPECT_EQ(selected.Height, "300");
}

TEST_F(Catalogue, FindByNameMatchesUmlautsInTheCodePage)
{
    WriteBytes("objects.dat", Record("1 2 3 4",
                                     "M\xE4"
                                     "dler",
                                     "-11", "29,8", "", "0"));
    auto found = FindObjectByName("Mädler", selected);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Name, "Mädler");
    EXPECT_FALSE(FindObjectByName("Ω", selected));
}

TEST_F(Catalogue, FrameLinesMayHaveBlanksAndTrailingText)
{
    WriteBytes("objects.dat", "  10\r\n20 rechts\r\n\t30\r\n40\r\nX\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n");
    auto found = FindObjectByName("X", selected);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->FrameLeft, 10);
    EXPECT_EQ(found->FrameRight, 20);
    EXPECT_EQ(found->FrameTop, 30);
}

TEST_F(Catalogue, FrameLineThatIsNotANumberIsAnError)
{
    WriteBytes("objects.dat", "links\r\n20\r\n30\r\n40\r\nX\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n");
    try {
        FindObjectByName("X", selected);
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "objects.dat, Zeile 1: 'links' ist kein gültiger Integerwert");
    }
    EXPECT_NO_THROW(ReadObjectNames());  // the list fill skips the frame lines
}

TEST_F(Catalogue, ValuesOutsideTheirRangeAreReportedWithFileLineAndValue)
{
    struct Case {
        std::string file;
        const char* message;
    };
    const std::string good = Record("1 2 3 4", "Gut", "1", "2", "", "1");
    const Case cases[] = {
        {good + Record("1 2147483647 3 4", "X",                      "1",                                                     "2", "", "1"),
         "objects.dat, Zeile 14: '2147483647' liegt außerhalb des gültigen Bereichs von 0 bis 400"},
        {good + Record("-1 2 3 4",                              "X",                                                  "1",                         "2", "", "1"),
         "objects.dat, Zeile 13: '-1' liegt außerhalb des gültigen Bereichs von 0 bis 400"},
        {good + Record("1 2 3 401",         "X", "1",    "2", "", "1"),
         "objects.dat, Zeile 16: '401' liegt außerhalb des gültigen Bereichs von 0 bis 400"},
        {good + Record("1 2 3 4",                              "X",                                                  "1e300",                                 "2", "", "1"),
         "objects.dat, Zeile 18: '1e300' liegt außerhalb des gültigen Bereichs von -90 bis 90"},
        {good + Record("1 2 3 4",        "X",                     "1",                                                                         "-180,5", "", "1"),
         "objects.dat, Zeile 19: '-180,5' liegt außerhalb des gültigen Bereichs von -180 bis 180"},
        {good + Record("1 2 3 4",                              "X",                                                  "zehn",                                "2", "", "1"),
         "objects.dat, Zeile 18: 'zehn' ist kein gültiger Gleitkommawert"},
 // A binary line shows no raw bytes, and no more than a readable piece.
        {good + "\x01\x02\x7F" + std::string(60,          'x') + "\r\n",
         "objects.dat, Zeile 13: '???xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…' ist kein gültiger Integerwert"},
    };
    for (const Case& c : cases) {
        WriteBytes("objects.dat", c.file);
        try {
            FindObjectByName("X", selected);
            ADD_FAILURE() << c.message;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.what(), std::string(c.message));
        }
    }
    // Limits included; the first record's values are not looked at when
    // another one is shown.
    WriteBytes("objects.dat",
               Record("0 400 0 400", "Rand", "-90", "180", "", "1") + Record("1 2 3 4", "Fern", "90,5", "", "", "1"));
    EXPECT_TRUE(FindObjectByName("Rand", selected));
    EXPECT_TRUE(FindObjectAtPoint(400, 400, selected));
}

TEST_F(Catalogue, EmptyLinesAtTheEndAreNoRecord)
{
    std::string user = Record("1 2 3 4", "Weg", "", "", "", "2");
    std::string other = Record("5 6 7 8", "Bleibt", "1", "2", "", "1");
    WriteBytes("objects.dat", other + user + "\r\n\r\n");
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"Bleibt", "Weg"}));
    EXPECT_EQ(DeleteUserObjects("Weg"), 1);
    EXPECT_EQ(ReadBytes("objects.dat"), other);

    WriteBytes("objects.dat", other + "\r\n");
    LunarObject object;
    object.Name = "Neu";
    object.Origin = "2";
    AppendObject(object);
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"Bleibt", "Neu"}));
}

TEST_F(Catalogue, ACatalogueSavedAsUtf8ShowsItsAccentsAndIsStoredAsWindows1252Again)
{
    WriteBytes("objects.dat",
               Record("1 2 3 4", "Linn\xC3\xA9", "27,7", "11,8", "", "1") + Record("5 6 7 8", "Weg", "", "", "", "2"));
    EXPECT_EQ(*ReadObjectNames(), (std::vector<std::string>{"Linné", "Weg"}));
    ASSERT_TRUE(FindObjectByName("Linné", selected));
    DeleteUserObjects("Weg");
    EXPECT_EQ(ReadBytes("objects.dat"), Record("1 2 3 4", "Linn\xE9", "27,7", "11,8", "", "1"));
}

TEST_F(Catalogue, MissingFileIsReported)
{
    EXPECT_THROW(ReadObjectNames(), FileNotFoundError);
    EXPECT_THROW(FindObjectByName("X", selected), FileNotFoundError);
    EXPECT_THROW(FindObjectAtPoint(1, 1, selected), FileNotFoundError);
    EXPECT_THROW(DeleteUserObjects("X"), FileNotFoundError);
    EXPECT_THROW(AppendObject(LunarObject{}), FileNotFoundError);
    EXPECT_FALSE(FileExists("objects.dat"));
}

TEST_F(Catalogue, PointPickIncludesFrameEdgesAndTakesTheFirstFrame)
{
    WriteBytes("objects.dat", Record("100 110 200 210", "Klein", "1", "1", "", "1") +
                                  Record("90 150 190 260", "Gross", "2", "2", "", "0"));
    struct Pick {
        int x, y;
        const char* name;
    };
    for (Pick pick : {
             Pick{100, 200, "Klein"},
             Pick{110, 210, "Klein"},
             Pick{105, 205, "Klein"},
             Pick{111, 210, "Gross"},
             Pick{90,  260, "Gross"}
    }) {
        auto found = FindObjectAtPoint(pick.x, pick.y, selected);
        ASSERT_TRUE(found) << pick.x << "," << pick.y;
        EXPECT_EQ(found->Name, pick.name) << pick.x << "," << pick.y;
    }
    EXPECT_FALSE(FindObjectAtPoint(89, 200, selected));
    EXPECT_FALSE(FindObjectAtPoint(0, 0, selected));
}

TEST_F(Catalogue, OriginDecidesDeletionAndHeightPanel)
{
    LunarObject object;
    object.Origin = "2x";
    object.SelenographicLatitude = "1";
    EXPECT_TRUE(object.IsUserDefined());
    EXPECT_FALSE(object.OffersHeightMeasurement());  // longitude missing
    object.SelenographicLongitude = "2";
    EXPECT_TRUE(object.OffersHeightMeasurement());
    object.Origin = "1";
    object.SelenographicLatitude.clear();
    EXPECT_FALSE(object.IsUserDefined());
    EXPECT_TRUE(object.OffersHeightMeasurement());
    object.Origin = "";
    EXPECT_FALSE(object.IsUserDefined());
    EXPECT_FALSE(object.OffersHeightMeasurement());
}

TEST_F(Catalogue, DeleteRemovesOnlyTheUsersRecordsOfThatName)
{
    std::string catalogueTycho = Record("1 2 3 4", "Tycho", "-43,3", "-11,2", "4800", "1");
    std::string other = Record("5 6 7 8", "Andere", "1", "2", "", "2");
    WriteBytes("objects.dat", catalogueTycho + Record("9 10 11 12", "Tycho", "1", "2", "", "2") + other +
                                  Record("13 14 15 16", "Tycho", "3", "4", "", "2"));
    WriteBytes("objects2.dat", "alter Rest");
    EXPECT_EQ(DeleteUserObjects("Tycho"), 2);
    EXPECT_EQ(ReadBytes("objects.dat"), catalogueTycho + other);
    EXPECT_FALSE(FileExists("objects2.dat"));
}

TEST_F(Catalogue, DeleteWritesFrameNumbersInPlainForm)
{
    WriteBytes("objects.dat", "  007\r\n20 px\r\n30\r\n40\r\nX\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n" +
                                  Record("1 2 3 4", "Weg", "", "", "", "2"));
    EXPECT_EQ(DeleteUserObjects("Weg"), 1);
    EXPECT_EQ(ReadBytes("objects.dat"), "7\r\n20\r\n30\r\n40\r\nX\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n");
}

TEST_F(Catalogue, DeleteWithABrokenRecordLeavesTheFileUntouched)
{
    std::string content = Record("1 2 3 4", "Weg", "", "", "", "2") + "kaputt\r\n";
    WriteBytes("objects.dat", content);
    EXPECT_THROW(DeleteUserObjects("Weg"), ConversionError);
    EXPECT_EQ(ReadBytes("objects.dat"), content);
}

TEST_F(Catalogue, AppendAddsOneRecordAtTheEnd)
{
    std::string first = Record("1 2 3 4", "A", "1", "2", "", "0");
    WriteBytes("objects.dat", first);
    LunarObject object;
    object.FrameLeft = 120;
    object.FrameRight = 140;
    object.FrameTop = 60;
    object.FrameBottom = 75;
    object.Name = "Mein Krater";
    object.SelenographicLatitude = "-10,5";
    object.SelenographicLongitude = "20";
    object.Height = "1200";
    object.Description1 = "Größer als gedacht";
    object.Origin = "2";
    AppendObject(object);
    EXPECT_EQ(ReadBytes("objects.dat"), first +
                                            "120\r\n140\r\n60\r\n75\r\nMein Krater\r\n-10,5\r\n20\r\n1200\r\nGr\xF6\xDF"
                                            "er als gedacht\r\n\r\n\r\n2\r\n");
    EXPECT_EQ(ReadObjectNames()->back(), "Mein Krater");
}

TEST_F(Catalogue, AppendRefusesTextsTheFileCannotHold)
{
    std::string first = Record("1 2 3 4", "A", "1", "2", "", "0");
    WriteBytes("objects.dat", first);
    LunarObject object;
    object.Name = "Krater";
    object.Description3 = "Ω";
    EXPECT_THROW(AppendObject(object), EncodingError);
    EXPECT_EQ(ReadBytes("objects.dat"), first);

    // A pasted line break would split the record: refused, naming the field.
    object.Description3 = "";
    object.Name = "Kopiert\nZweite Zeile";
    try {
        AppendObject(object);
        ADD_FAILURE() << "accepted";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Das Feld „Name“ enthält ein Steuerzeichen", 0), 0u);
    }
    object.Name = "Krater";
    object.Description2 = "über\xC0\x8Azwei";  // an overlong line break
    EXPECT_THROW(AppendObject(object), EncodingError);
    EXPECT_EQ(ReadBytes("objects.dat"), first);
    EXPECT_FALSE(FileExists("objects2.dat"));
}

}  // namespace

// What was made of the catalogue read last serves the next lookups while
// the file's bytes stay as they were. Whatever another program does to the
// file is seen by the next lookup.
class KeptCatalogue : public Catalogue {};

TEST_F(KeptCatalogue, AChangeByAnotherProgramIsSeenAtTheNextLookup)
{
    const std::string before = Record("1 2 3 4", "Alt", "1", "2", "100", "1");
    const std::string renamed = Record("1 2 3 4", "Neu", "1", "2", "100", "1");  // as long as `before`
    struct Change {
        const char* how;
        std::function<void()> make;
        std::vector<std::string> names;
    };
    const Change changes[] = {
        {"rewritten in place, as long as before",
         [&] { std::fstream(kCatalogueFileName, std::ios::binary | std::ios::in | std::ios::out) << renamed; },
         {"Neu"}                                                                                                              },
        {"replaced by a renamed new file",
         [&] {
             WriteBytes("objects.neu", renamed);
             std::filesystem::rename("objects.neu", kCatalogueFileName);
         },                                                                                                     {"Neu"}       },
        {"grown by a record",                     [&] { WriteBytes(kCatalogueFileName, before + renamed); },    {"Alt", "Neu"}},
    };
    for (const Change& change : changes) {
        WriteBytes(kCatalogueFileName, before);
        const std::shared_ptr<const std::vector<std::string>> read = ReadObjectNames();
        const std::uint64_t version = CatalogueVersion();
        ASSERT_TRUE(FindObjectByName("Alt", selected));
        EXPECT_EQ(ReadObjectNames(), read) << "kept while unchanged";
        EXPECT_EQ(CatalogueVersion(), version);
        change.make();
        EXPECT_NE(CatalogueVersion(), version) << change.how;
        EXPECT_EQ(*ReadObjectNames(), change.names) << change.how;
        EXPECT_EQ(FindObjectByName("Neu", selected).has_value(), true) << change.how;
        EXPECT_EQ(FindObjectAtPoint(1, 3, selected)->Name, change.names.front()) << change.how;
    }
    std::filesystem::remove(kCatalogueFileName);
    EXPECT_THROW(FindObjectByName("Alt", selected), FileNotFoundError);
}

// A file system that keeps a file's size, inode and times while its bytes
// change, as FAT and exFAT do when a change of the same length puts the old
// modification time back (they keep no inode change time).
class UnchangedStat : public FileOperations {
public:
    int Fstat(int fd, struct stat* info) override { return Frozen(FileOperations::Fstat(fd, info), *info); }
    int Lstat(const char* path, struct stat* info) override { return Frozen(FileOperations::Lstat(path, info), *info); }

private:
    int Frozen(int result, struct stat& info)
    {
        if (result != 0 || !S_ISREG(info.st_mode)) return result;
        if (!first_) first_ = info;
        info = *first_;
        return result;
    }
    std::optional<struct stat> first_;
};

TEST_F(KeptCatalogue, AChangeThatLeavesSizeInodeAndTimesIsSeenAtTheNextLookup)
{
    WriteBytes(kCatalogueFileName, Record("1 2 3 4", "Alt", "1", "2", "100", "1"));
    UnchangedStat unchanged;
    ScopedFileOperations installed(unchanged);
    ASSERT_TRUE(FindObjectByName("Alt", selected));
    const std::uint64_t version = CatalogueVersion();
    // Another latitude, the same length, written in place.
    std::fstream(kCatalogueFileName, std::ios::binary | std::ios::in | std::ios::out)
        << Record("1 2 3 4", "Alt", "7", "2", "100", "1");
    EXPECT_NE(CatalogueVersion(), version);
    EXPECT_EQ(FindObjectByName("Alt", selected)->SelenographicLatitude, "7");
    EXPECT_EQ(selected.Latitude, "7");
}
