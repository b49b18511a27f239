// The site list file: names, finding a record, appending and the two rewrites.

#include "setup/site_list_file.h"
#include "platform/errors.h"
#include "tests/support/temp_working_dir.h"

#include <gtest/gtest.h>

#include <cstdio>

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

TEST_F(SiteListFile, NamesInFileOrderWithOneEmptyNameForAnEmptyFileOrTrailingLine)
{
    WriteBytes("places.dat", kSites);
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Köln", "Bonn", "köln", "Köln", "Odd \u0081"}));
    WriteBytes("places.dat", "");
    EXPECT_EQ(ReadSiteNames(), std::vector<std::string>{""});
    WriteBytes("places.dat", "Bonn\r\n50\r\n7\r\n\r\n");
    EXPECT_EQ(ReadSiteNames(), (std::vector<std::string>{"Bonn", ""}));
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
}

}  // namespace
