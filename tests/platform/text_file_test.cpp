// The data file layer: code page, line ends, appending and rewriting.

#include "platform/text_file.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <string>

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
        EXPECT_STREQ(error.what(), "Datei nicht gefunden");
    }
}

TEST(TextFileWriter, WritesCrLfInTheCodePage)
{
    TempWorkingDir dir;
    TextFileWriter file("neu.dat", TextFileWriter::Mode::Create);
    file.WriteLine("Köln");
    file.WriteRawLine("50,94");
    file.Close();
    EXPECT_EQ(ReadBytes("neu.dat"), "K\xF6ln\r\n50,94\r\n");
}

TEST(TextFileWriter, AppendNeedsAnExistingFileAndStartsANewLine)
{
    TempWorkingDir dir;
    EXPECT_THROW(TextFileWriter("fehlt.dat", TextFileWriter::Mode::Append), FileNotFoundError);
    EXPECT_FALSE(FileExists("fehlt.dat"));

    WriteBytes("ohne.dat", "a\r\nb");  // last line without its end
    TextFileWriter file("ohne.dat", TextFileWriter::Mode::Append);
    file.WriteLine("c");
    file.Close();
    EXPECT_EQ(ReadBytes("ohne.dat"), "a\r\nb\r\nc\r\n");

    WriteBytes("mit.dat", "a\r\n");
    TextFileWriter second("mit.dat", TextFileWriter::Mode::Append);
    second.WriteLine("b");
    second.Close();
    EXPECT_EQ(ReadBytes("mit.dat"), "a\r\nb\r\n");
}

TEST(TextFileWriter, NothingReachesTheFileWithoutClose)
{
    TempWorkingDir dir;
    WriteBytes("keep.dat", "a\r\n");
    {
        TextFileWriter file("keep.dat", TextFileWriter::Mode::Append);
        file.WriteLine("halb");
    }
    EXPECT_EQ(ReadBytes("keep.dat"), "a\r\n");
}

TEST(RewriteThroughTwin, ReplacesTheFileAndLeavesNoTwin)
{
    TempWorkingDir dir;
    WriteBytes("liste.dat", "alt\r\nzwei\r\n");
    WriteBytes("liste2.dat", "Reste eines abgebrochenen Laufs\r\n");
    RewriteThroughTwin("liste.dat", [](TextFileReader& old, TextFileWriter& twin) {
        twin.WriteLine("neu");
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
                                        twin.WriteLine("neu");
                                        twin.WriteLine("Ω");  // cannot be stored
                                    }),
                 EncodingError);
    EXPECT_EQ(ReadBytes("liste.dat"), "alt\r\n");

    EXPECT_THROW(RewriteThroughTwin("fehlt.dat", [](TextFileReader&, TextFileWriter&) {}), FileNotFoundError);
    EXPECT_FALSE(FileExists("fehlt.dat"));
    EXPECT_FALSE(FileExists("fehlt2.dat"));
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
