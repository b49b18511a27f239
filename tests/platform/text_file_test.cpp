// The data file layer: code page, line ends, appending and rewriting.

#include "platform/text_file.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/file_lock.h"
#include "platform/file_operations.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace {

TEST(Cp1252, UmlautsAndEuroRoundTrip)
{
    const std::string utf8 = "Größe äöüÄÖÜß €";
    const std::string bytes =
        "Gr\xF6\xDF"
        "e \xE4\xF6\xFC\xC4\xD6\xDC\xDF \x80";
    EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
    EXPECT_EQ(Cp1252ToUtf8(bytes), utf8);
}

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, RefusesCharactersItCannotHold)
{
    EXPECT_FALSE(IsRepresentableInCp1252("Ωmega"));
    EXPECT_FALSE(IsRepresentableInCp1252("\xC3"));  // cut UTF-8 sequence
    EXPECT_TRUE(IsRepresentableInCp1252("Mare Crisium – „Meer“"));
    try {
        Utf8ToCp1252("Krater Ω");
        ADD_FAILURE() << "no error";
    } catch (const EncodingError& error) {
        EXPECT_NE(std::string(error.what()).find("Ω"), std::string::npos);
    }
}

TEST(TextFileReader, ReadsCrLfAndLfLinesAndEmptyTextAtTheEnd)
{
    TempWorkingDir dir;
    WriteBytes("mixed.dat", "eins\r\nzwei\ndrei\r\n\r\nf\xFCnf");
    TextFileReader file("mixed.dat");
    EXPECT_EQ(file.ReadLine(), "eins");
    EXPECT_EQ(file.ReadLine(), "zwei");
    EXPECT_EQ(file.ReadLine(), "drei");
    EXPECT_FALSE(file.AtEnd());
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_EQ(file.ReadLine(), "fünf");
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_EQ(file.ReadLine(), "");
}

TEST(TextFileReader, LastLineEndMeansEnd)
{
    TempWorkingDir dir;
    WriteBytes("a.dat", "x\r\n");
    TextFileReader file("a.dat");
    EXPECT_EQ(file.ReadLine(), "x");
    EXPECT_TRUE(file.AtEnd());

    WriteBytes("empty.dat", "");
    TextFileReader empty("empty.dat");
    EXPECT_TRUE(empty.AtEnd());
}

TEST(TextFileReader, MissingFileIsReportedInGerman)
{
    TempWorkingDir dir;
    try {
        TextFileReader file("fehlt.dat");
        ADD_FAILURE() << "no error";
    } catch (const FileNotFoundError& error) {
        EXPECT_STREQ(error.what(), "fehlt.dat: Datei nicht gefunden");
    }
}

TEST(TextFileReader, EmptyLinesAfterTheLastRecordEndTheRecords)
{
    TempWorkingDir dir;
    WriteBytes("a.dat", "x\r\n\r\n  \r\n\n");
    TextFileReader file("a.dat");
    EXPECT_FALSE(file.AtEndOfRecords());
    file.ReadRawLine();
    EXPECT_TRUE(file.AtEndOfRecords());
    EXPECT_FALSE(file.AtEnd());
    EXPECT_EQ(file.LastLineNumber(), 1);
}

TEST(TextFileReader, AFileSavedAsUtf8IsReadAsUtf8)
{
    TempWorkingDir dir;
    WriteBytes("utf8.dat", "Linn\xC3\xA9\r\nG\xC3\xB6\xC3\x9F\r\n");  // "Linné", "Göß"
    TextFileReader file("utf8.dat");
    EXPECT_EQ(file.ReadLine(), "Linné");
    EXPECT_EQ(file.ReadRawLine(), "G\xF6\xDF");  // the bytes a rewrite stores

    WriteBytes("bom.dat", "\xEF\xBB\xBFTycho\r\n");
    EXPECT_EQ(TextFileReader("bom.dat").ReadLine(), "Tycho");

    // Windows-1252 stays Windows-1252, even where one line would pass as UTF-8.
    WriteBytes("cp.dat", "Linn\xE9\r\n\xC3\xA9\r\n");
    TextFileReader cp("cp.dat");
    EXPECT_EQ(cp.ReadLine(), "Linné");
    EXPECT_EQ(cp.ReadLine(), "Ã©");

    WriteBytes("omega.dat", "Tycho\r\n\xCE\xA9mega\r\n");
    try {
        TextFileReader omega("omega.dat");
        ADD_FAILURE() << "no error";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("omega.dat, Zeile 2: Das Zeichen \"Ω\"", 0), 0u) << error.what();
    }
}

TEST(EncodeField, RefusesControlCharactersInvalidUtf8AndForeignCharactersNamingTheField)
{
    EXPECT_EQ(EncodeField("Größe – 5 €", "Name"),
              "Gr\xF6\xDF"
              "e \x96 5 \x80");
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"Kopiert\nZweite Zeile",
         "Das Feld „Name“ enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts gespeichert"                          },
        {"Tab\there",
         "Das Feld „Name“ enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts gespeichert"                          },
        {"del\x7F",
         "Das Feld „Name“ enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts gespeichert"                          },
        {"cr\r",                   "Das Feld „Name“ enthält ein Steuerzeichen (etwa einen Zeilenumbruch); es wurde nichts gespeichert"},
        {"over\xC0\x8Along",       "Das Feld „Name“ enthält ungültigen Text; es wurde nichts gespeichert"                            },
        {"surrogate \xED\xA0\x80", "Das Feld „Name“ enthält ungültigen Text; es wurde nichts gespeichert"                            },
        {"Krater Ω",              "Das Feld „Name“: Das Zeichen \"Ω\" kann in den Dateien des Programms nicht gespeichert werden"    },
    };
    for (const Case& c : cases) {
        try {
            EncodeField(c.text, "Name");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EncodingError& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
}

TEST(Cp1252, OverlongAndOutOfRangeUtf8IsNeverText)
{
    for (const char* bad :
         {"\xC0\x8A", "\xC1\xBF", "\xE0\x80\x8A", "\xF0\x80\x80\x8A", "\xED\xBF\xBF", "\xF4\x90\x80\x80"}) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
        EXPECT_FALSE(IsRepresentableInCp1252(bad)) << bad;
    }
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF, the last code point
}

TEST(RewriteThroughTwin, ReplacesTheFileAndLeavesNoTwin)
{
    TempWorkingDir dir;
    WriteBytes("liste.dat", "alt\r\nzwei\r\n");
    WriteBytes("liste2.dat", "Reste eines abgebrochenen Laufs\r\n");
    RewriteThroughTwin("liste.dat", [](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine("neu");
        old.SkipLines(1);
        CopyRemainingLines(old, twin);
    });
    EXPECT_EQ(ReadBytes("liste.dat"), "neu\r\nzwei\r\n");
    EXPECT_FALSE(FileExists("liste2.dat"));
}

TEST(RewriteThroughTwin, AFailureLeavesTheOriginalUntouched)
{
    TempWorkingDir dir;
    WriteBytes("liste.dat", "alt\r\n");
    EXPECT_THROW(RewriteThroughTwin("liste.dat",
                                    [](TextFileReader&, TextFileWriter& twin) {
                                        twin.WriteRawLine("neu");
                                        twin.WriteRawLine(EncodeField("Ω", "Name"));  // cannot be stored
                                    }),
                 EncodingError);
    EXPECT_EQ(ReadBytes("liste.dat"), "alt\r\n");

    try {
        RewriteThroughTwin("fehlt.dat", [](TextFileReader&, TextFileWriter&) {});
        ADD_FAILURE() << "no error";
    } catch (const FileNotFoundError& error) {
        EXPECT_STREQ(error.what(), "fehlt.dat: Datei nicht gefunden");
    }
    EXPECT_FALSE(FileExists("fehlt.dat"));
    EXPECT_FALSE(FileExists("fehlt2.dat"));
}

TEST(ReplaceFileContent, AStaleTwinThatIsALinkIsRemovedNotFollowed)
{
    TempWorkingDir dir;
    WriteBytes("objects.dat", "alt\r\n");
    WriteBytes("fremd.dat", "fremde Daten\r\n");
    std::filesystem::create_symlink("fremd.dat", "objects2.dat");
    ReplaceFileContent("objects.dat", "neu\r\n");
    EXPECT_EQ(ReadBytes("objects.dat"), "neu\r\n");
    EXPECT_EQ(ReadBytes("fremd.dat"), "fremde Daten\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink("objects.dat"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status("objects2.dat")));
}

// A program that plants a link at the twin's name the moment the stale twin
// is gone, as a racing program could.
class LinkPlanter : public FileOperations {
public:
    int Unlink(const char* path) override
    {
        const int result = FileOperations::Unlink(path);
        if (!planted_ && std::string_view(path).ends_with("objects2.dat")) {
            planted_ = true;
            std::filesystem::create_symlink("fremd.dat", path);
        }
        return result;
    }

private:
    bool planted_ = false;
};

TEST(ReplaceFileContent, ALinkPlantedAtTheTwinAfterItsRemovalFailsTheWrite)
{
    TempWorkingDir dir;
    WriteBytes("objects.dat", "alt\r\n");
    WriteBytes("fremd.dat", "fremde Daten\r\n");
    LinkPlanter racer;
    {
        ScopedFileOperations installed(racer);
        EXPECT_THROW(ReplaceFileContent("objects.dat", "neu\r\n"), FileAccessError);
    }
    EXPECT_EQ(ReadBytes("fremd.dat"), "fremde Daten\r\n");
    EXPECT_EQ(ReadBytes("objects.dat"), "alt\r\n");
}

TEST(ReplaceFileContent, KeepsThePermissionBits)
{
    TempWorkingDir dir;
    namespace fs = std::filesystem;
    for (fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                           fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                               fs::perms::group_write | fs::perms::others_read}) {
        WriteBytes("mirelta.ini", "Art\r\n");
        fs::permissions("mirelta.ini", mode);
        ReplaceFileContent("mirelta.ini", "Alph\r\n");
        EXPECT_EQ(fs::status("mirelta.ini").permissions(), mode);
        EXPECT_EQ(ReadBytes("mirelta.ini"), "Alph\r\n");
    }
}

TEST(ReplaceFileContent, AWriteProtectedFileIsRefusedAndKept)
{
    // The folder would allow the rename (and root ignores the bits), but
    // the user protected the file.
    TempWorkingDir dir;
    namespace fs = std::filesystem;
    WriteBytes("places.dat", "Bonn\r\n");
    fs::permissions("places.dat", fs::perms::owner_read | fs::perms::group_read);
    try {
        ReplaceFileContent("places.dat", "Köln\r\n");
        FAIL() << "no error";
    } catch (const FileAccessError& error) {
        EXPECT_STREQ(
            error.what(),
            "Schreiben von places.dat nicht möglich (die Datei ist schreibgeschützt); die Datei ist unverändert");
    }
    EXPECT_EQ(ReadBytes("places.dat"), "Bonn\r\n");
    EXPECT_FALSE(FileExists("places2.dat"));
}

TEST(ReplaceFileContent, ALinkedFileIsRewrittenAtItsTarget)
{
    TempWorkingDir dir;
    namespace fs = std::filesystem;
    fs::create_directory("daten");
    WriteBytes("daten/katalog.dat", "alt\r\n");
    fs::create_symlink("daten/katalog.dat", "objects.dat");
    ReplaceFileContent("objects.dat", "neu\r\n");
    EXPECT_TRUE(fs::is_symlink("objects.dat"));
    EXPECT_EQ(ReadBytes("daten/katalog.dat"), "neu\r\n");
    EXPECT_FALSE(FileExists("objects2.dat"));
    EXPECT_FALSE(FileExists("daten/katalog2.dat"));
}

TEST(FileChangeLock, AWriterWaitsForTheHolderThenGivesUpAndWritesNothing)
{
    TempWorkingDir dir;
    WriteBytes("liste.dat", "alt\r\n");
    SetFileLockPatience(std::chrono::milliseconds(50));
    // Another writer holds the lock (a lock of this process on another
    // descriptor keeps the change out all the same).
    const int holder = ::open(LockFileOf("liste.dat").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    try {
        ReplaceFileContent("liste.dat", "neu\r\n");
        ADD_FAILURE() << "no error";
    } catch (const FileAccessError& error) {
        EXPECT_STREQ(error.what(),
                     "Schreiben von liste.dat nicht möglich (ein anderes Programm ändert die Datei gerade); die Datei "
                     "ist unverändert");
    }
    EXPECT_EQ(ReadBytes("liste.dat"), "alt\r\n");
    EXPECT_FALSE(FileExists("liste2.dat"));

    // Let go without removing the lock file, as a killed writer does: the
    // next change takes it over and removes it.
    ::close(holder);
    ReplaceFileContent("liste.dat", "neu\r\n");
    EXPECT_EQ(ReadBytes("liste.dat"), "neu\r\n");
    EXPECT_FALSE(FileExists(LockFileOf("liste.dat")));
    SetFileLockPatience(kFileLockPatience);
}

TEST(AppendThroughTwin, TheNewRecordStartsWhereARecordMustStart)
{
    TempWorkingDir dir;
    struct Case {
        const char* before;
        const char* after;
    };
    // Records of three lines; the new record is "n".
    const Case cases[] = {
        {"a\r\nb\r\nc\r\n",               "a\r\nb\r\nc\r\nn\r\n"}, // whole records
        {"a\r\nb\r\nc",                   "a\r\nb\r\nc\r\nn\r\n"}, // last line without its end
        {"a\r\nb\r\nc\r\n\r\n\r\n  \r\n", "a\r\nb\r\nc\r\nn\r\n"}, // empty lines after the last record
        {"a\r\nb\r\n",                    "a\r\nb\r\n\r\nn\r\n" }, // truncated record filled up
        {"a\r\n\r\n\r\n\r\n",             "a\r\n\r\n\r\nn\r\n"  }, // empty fields of the last record stay
        {"",                              "n\r\n"               },
    };
    for (const Case& c : cases) {
        WriteBytes("liste.dat", c.before);
        AppendThroughTwin("liste.dat", 3, [](TextFileWriter& end) { end.WriteRawLine("n"); });
        EXPECT_EQ(ReadBytes("liste.dat"), c.after) << c.before;
    }
    EXPECT_THROW(AppendThroughTwin("fehlt.dat", 3, [](TextFileWriter&) {}), FileNotFoundError);
    EXPECT_FALSE(FileExists("fehlt.dat"));
}

TEST(CopyRemainingLines, CopiesAtLeastOneLine)
{
    TempWorkingDir dir;
    WriteBytes("eine.dat", "nur\r\n");
    RewriteThroughTwin("eine.dat", [](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteRawLine(old.ReadRawLine());
        CopyRemainingLines(old, twin);  // nothing left: one empty line
    });
    EXPECT_EQ(ReadBytes("eine.dat"), "nur\r\n\r\n");
}

TEST(TwinName, PutsTheTwoBeforeTheExtension)
{
    EXPECT_EQ(TwinName("objects.dat"), "objects2.dat");
    EXPECT_EQ(TwinName("mirelta.ini"), "mirelta2.ini");
    EXPECT_EQ(TwinName("plain"), "plain2");
}

}  // namespace
