// The configuration file: reading its fixed lines and the two rewrites.

#include "setup/config_file.h"
#include "platform/errors.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

namespace {

class ConfigFile : public ::testing::Test {
protected:
    TempWorkingDir dir;
};

TEST_F(ConfigFile, ReadsSortKeyAndSiteFromCrLfAndLfFiles)
{
    for (const char* content :
         {"Alph\r\nM\xFCnchen\r\n48,1374\r\n11,5755\r\n", "Alph\nM\xFCnchen\n48,1374\n11,5755\n"}) {
        WriteBytes("mirelta.ini", content);
        EXPECT_EQ(ReadSortKey(), "Alph");
        StoredSite site = ReadCurrentSite();
        EXPECT_EQ(site.Name, "München");
        EXPECT_EQ(site.LatitudeText, "48,1374");
        EXPECT_EQ(site.LongitudeText, "11,5755");
    }
}

TEST_F(ConfigFile, SiteNumbersOutsideTheirRangeOrNoNumbersAreReportedWithTheirLine)
{
    struct Case {
        const char* latitude;
        const char* longitude;
        const char* message;
    };
    const Case cases[] = {
        {"1e300", "7",    "mirelta.ini, Zeile 3: '1e300' liegt außerhalb des gültigen Bereichs von -90 bis 90" },
        {"-90,5", "7",    "mirelta.ini, Zeile 3: '-90,5' liegt außerhalb des gültigen Bereichs von -90 bis 90" },
        {"50",    "-999", "mirelta.ini, Zeile 4: '-999' liegt außerhalb des gültigen Bereichs von -180 bis 180"},
        {"50",    "nord", "mirelta.ini, Zeile 4: 'nord' ist kein gültiger Gleitkommawert"                       },
        {"",      "7",    "mirelta.ini, Zeile 3: '' ist kein gültiger Gleitkommawert"                           },
    };
    for (const Case& c : cases) {
        WriteBytes("mirelta.ini", std::string("Art\r\nBonn\r\n") + c.latitude + "\r\n" + c.longitude + "\r\n");
        try {
            ReadCurrentSite();
            ADD_FAILURE() << "accepted " << c.latitude << " " << c.longitude;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.what(), std::string(c.message));
        }
    }
    WriteBytes("mirelta.ini", "Art\r\nPol\r\n-90\r\n180\r\n");
    EXPECT_EQ(ReadCurrentSite().LongitudeText, "180");
}

TEST_F(ConfigFile, ControlCharactersAreRefusedNamingTheField)
{
    const char* before = "Art\r\nBonn\r\n50,7\r\n7,1\r\n";
    WriteBytes("mirelta.ini", before);
    try {
        WriteCurrentSite({"Bonn", "50,7", "7\n1"});
        ADD_FAILURE() << "accepted";
    } catch (const EncodingError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Das Feld „Länge“ enthält ein Steuerzeichen", 0), 0u);
    }
    EXPECT_THROW(WriteSortKey("Alph\r\n"), EncodingError);
    EXPECT_EQ(ReadBytes("mirelta.ini"), before);
}

TEST_F(ConfigFile, SortKeyIsReadExactly)
{
    WriteBytes("mirelta.ini", "Alph \r\n");
    EXPECT_EQ(ReadSortKey(), "Alph ");
}

TEST_F(ConfigFile, MissingFileIsAnErrorAndNothingIsCreated)
{
    EXPECT_THROW(ReadSortKey(), FileNotFoundError);
    EXPECT_THROW(ReadCurrentSite(), FileNotFoundError);
    EXPECT_THROW(WriteSortKey("Art"), FileNotFoundError);
    EXPECT_THROW(WriteCurrentSite({"Bonn", "50,7", "7,1"}), FileNotFoundError);
    EXPECT_FALSE(FileExists("mirelta.ini"));
    EXPECT_FALSE(FileExists("mirelta2.ini"));
}

TEST_F(ConfigFile, SortKeyRewriteKeepsEveryOtherLine)
{
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7\r\n7,1\r\nextra \x81\xE4\r\n");
    WriteSortKey("Alph");
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Alph\r\nBonn\r\n50,7\r\n7,1\r\nextra \x81\xE4\r\n");
}

TEST_F(ConfigFile, SortKeyRewriteOfASingleLineAddsOneEmptyLine)
{
    WriteBytes("mirelta.ini", "Art\r\n");
    WriteSortKey("Alph");
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Alph\r\n\r\n");
}

TEST_F(ConfigFile, SortKeyRewriteOfFourLinesGivesFourLines)
{
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7\r\n7,1\r\n");
    WriteSortKey("Art");
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Art\r\nBonn\r\n50,7\r\n7,1\r\n");
}

TEST_F(ConfigFile, SiteRewriteReplacesLinesTwoToFour)
{
    WriteBytes("mirelta.ini", "Alph\r\nBonn\r\n50,7\r\n7,1\r\nf\xFCnf\r\nsechs\r\n");
    WriteCurrentSite({"Zürich", "47,3769", "8,5417"});
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Alph\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\nf\xFCnf\r\nsechs\r\n");
    EXPECT_EQ(ReadCurrentSite().Name, "Zürich");
}

TEST_F(ConfigFile, SiteRewriteOfFourLinesAddsAnEmptyFifthLine)
{
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7\r\n7,1\r\n");
    WriteCurrentSite({"Köln", "50,9375", "6,9603"});
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Art\r\nK\xF6ln\r\n50,9375\r\n6,9603\r\n\r\n");
}

TEST_F(ConfigFile, StaleTwinFromAnInterruptedRunDoesNotDisturb)
{
    WriteBytes("mirelta.ini", "Art\r\nBonn\r\n50,7\r\n7,1\r\n");
    WriteBytes("mirelta2.ini", "Alph\r\nTrümmer\r\nvon\r\nfrüher\r\nund\r\nmehr\r\n");
    WriteSortKey("Alph");
    EXPECT_EQ(ReadBytes("mirelta.ini"), "Alph\r\nBonn\r\n50,7\r\n7,1\r\n");
    EXPECT_FALSE(FileExists("mirelta2.ini"));
}

TEST_F(ConfigFile, SiteNameTheFileCannotHoldChangesNothing)
{
    const char* before = "Art\r\nBonn\r\n50,7\r\n7,1\r\n";
    WriteBytes("mirelta.ini", before);
    EXPECT_THROW(WriteCurrentSite({"Ωmega", "1", "2"}), EncodingError);
    EXPECT_EQ(ReadBytes("mirelta.ini"), before);
    EXPECT_FALSE(FileExists("mirelta2.ini"));
}

}  // namespace
