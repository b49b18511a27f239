// The site list file: names, finding a record, appending and the two rewrites.

#include "setup/site_list_file.h"
#include "platform/errors.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

class SiteListFile : public ::testing::Test {
protected:
    TempWorkingDir dir;
};

// "Köln" twice, a name differing only in case, and bytes outside the code page.
const char* const kSites =
    "K\xF6ln\r\n50,9375\r\n6,9603\r\n"
    "Bonn\r\n50.7333\r\n7,1\r\n"
    "k\xF6ln\r\n1\r\n2\r\n"
    "K\xF6ln\r\n-0,5\r\n-1\r\n"
    "Odd \x81\r\n3\r\n4\r\n";

TEST_F(SiteListFile, NamesInFileOrderWithOneEmptyNameForAnEmptyFile)
{
    WriteBytes("places.dat", kSites);
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Köln", "Bonn", "köln", "Köln", "Odd \u0081"}));
    WriteBytes("places.dat", "");
    EXPECT_EQ(ReadSiteNames(), std::vector<std::string>{""});
    // Empty lines after the last record make no record.
    WriteBytes("places.dat", "Bonn\r\n50\r\n7\r\n\r\n\r\n");
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Bonn"}));
}

TEST_F(SiteListFile, AppendsToAnExistingFileOnly)
{
    WriteBytes("places.dat", "Bonn\r\n50\r\n7");  // last line without its end
    AppendSite({"Zürich", "47,3769", "8,5417"});
    EXPECT_EQ(ReadBytes("places.dat"), "Bonn\r\n50\r\n7\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\n");
    EXPECT_THROW(AppendSite({"Łódź", "51", "19"}), EncodingError);
    EXPECT_EQ(ReadBytes("places.dat"), "Bonn\r\n50\r\n7\r\nZ\xFCrich\r\n47,3769\r\n8,5417\r\n");

    std::remove("places.dat");
    EXPECT_THROW(AppendSite({"Bonn", "50", "7"}), FileNotFoundError);
    EXPECT_FALSE(FileExists("places.dat"));
}

TEST_F(SiteListFile, FindTakesTheFirstRecordAndChecksItsNumbers)
{
    WriteBytes("places.dat", kSites);
    std::optional<StoredSite> site = FindSite("Köln");
    ASSERT_TRUE(site);
    EXPECT_EQ(site->LatitudeText, "50,9375");
    EXPECT_FALSE(FindSite("Köl"));
    EXPECT_FALSE(FindSite("Ωmega"));

    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"Bonn\r\n50\r\n7\r\nHoch\r\n123,5\r\n7\r\n",
         "places.dat, Zeile 5: '123,5' liegt außerhalb des gültigen Bereichs von -90 bis 90"                                             },
        {"Hoch\r\n12\r\n-999\r\n",
         "places.dat, Zeile 3: '-999' liegt außerhalb des gültigen Bereichs von -180 bis 180"                                            },
        {"Hoch\r\nnord\r\n7\r\n",                     "places.dat, Zeile 2: 'nord' ist kein gültiger Gleitkommawert"                      },
        {"Hoch\r\n1e300\r\n7\r\n",                    "places.dat, Zeile 2: '1e300' liegt außerhalb des gültigen Bereichs von -90 bis 90"},
    };
    for (const Case& c : cases) {
        WriteBytes("places.dat", c.file);
        try {
            FindSite("Hoch");
            ADD_FAILURE() << c.file;
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.what(), std::string(c.message));
        }
    }
}

TEST_F(SiteListFile, ReplaceChangesEveryRecordOfTheNameAndCopiesTheRestByteForByte)
{
    WriteBytes("places.dat", kSites);
    ReplaceSites("Köln", {"Köln-Porz", "50,88", "7,05"});
    EXPECT_EQ(ReadBytes("places.dat"),
              "K\xF6ln-Porz\r\n50,88\r\n7,05\r\n"
              "Bonn\r\n50.7333\r\n7,1\r\n"
              "k\xF6ln\r\n1\r\n2\r\n"
              "K\xF6ln-Porz\r\n50,88\r\n7,05\r\n"
              "Odd \x81\r\n3\r\n4\r\n");
    ReplaceSites("Odd \u0081", {"Letzter", "1", "2"});  // the last record, by a name from the file
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Köln-Porz", "Bonn", "köln", "Köln-Porz", "Letzter"}));
    ReplaceSites("Nirgends", {"X", "1", "2"});
    EXPECT_EQ(ReadSiteNames().size(), 5u);
}

TEST_F(SiteListFile, AppendAfterEmptyLinesOrATruncatedRecordKeepsTheRecordsInStep)
{
    WriteBytes("places.dat", "Bonn\r\n50\r\n7\r\n\r\n\r\n");
    AppendSite({"Zürich", "47", "8"});
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Bonn", "Zürich"}));
    WriteBytes("places.dat", "Bonn\r\n50\r\n");
    AppendSite({"Zürich", "47", "8"});
    EXPECT_EQ(ReadBytes("places.dat"), "Bonn\r\n50\r\n\r\nZ\xFCrich\r\n47\r\n8\r\n");
    EXPECT_EQ(FindSite("Zürich")->LongitudeText, "8");
}

TEST_F(SiteListFile, RewritesHandleAtLeastOneRecord)
{
    // An empty file is one record of three empty lines.
    WriteBytes("places.dat", "");
    RemoveSites("Bonn");
    EXPECT_EQ(ReadBytes("places.dat"), "\r\n\r\n\r\n");
    RemoveSites("");
    EXPECT_EQ(ReadBytes("places.dat"), "");
    ReplaceSites("", {"Bonn", "50", "7"});
    EXPECT_EQ(ReadBytes("places.dat"), "Bonn\r\n50\r\n7\r\n");
}

TEST_F(SiteListFile, RefusedReplacementLeavesTheFileAlone)
{
    WriteBytes("places.dat", kSites);
    EXPECT_THROW(ReplaceSites("Bonn", {"Łódź", "51", "19"}), EncodingError);
    EXPECT_EQ(ReadBytes("places.dat"), kSites);
    EXPECT_FALSE(FileExists("places2.dat"));
}

TEST(SiteNames, StorableNamesHoldNoLineBreakAndOnlyCodePageCharacters)
{
    EXPECT_TRUE(IsStorableSiteName("Sankt Gallen – Säntis €"));
    EXPECT_TRUE(IsStorableSiteName(""));
    EXPECT_FALSE(IsStorableSiteName("Łódź"));
    EXPECT_FALSE(IsStorableSiteName("Bonn\nKöln"));
    EXPECT_FALSE(IsStorableSiteName("Bonn\r"));
    EXPECT_FALSE(IsStorableSiteName("Bonn\tKöln"));
    EXPECT_FALSE(IsStorableSiteName("Bonn\xC0\x8A"));  // an overlong line break
}

}  // namespace
