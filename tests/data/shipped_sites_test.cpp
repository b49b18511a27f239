// The site list data/places.dat and the settings data/mirelta.ini shipped
// with the program: every site reads with the decimal comma and lies in
// Germany, Austria or Switzerland, and the settings name one of the sites.

#include "platform/number_text.h"
#include "platform/text_file.h"
#include "setup/config_file.h"
#include "tests/data/shipped_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kSitesFileName = "places.dat";

// A box around Germany, Austria and Switzerland, degrees.
constexpr double kSouth = 45.8, kNorth = 55.1, kWest = 5.8, kEast = 17.2;

struct Site {
    std::string name, latitude, longitude;
};

class ShippedSites : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyShippedFile(kSitesFileName);
        CopyShippedFile(kConfigFileName);
        TextFileReader file(kSitesFileName);
        while (!file.AtEnd()) {
            Site site;
            site.name = file.ReadLine();
            site.latitude = file.ReadLine();
            site.longitude = file.ReadLine();
            sites_.push_back(site);
        }
    }

    TempWorkingDir dir_;
    std::vector<Site> sites_;
};

TEST_F(ShippedSites, FileIsWholeThreeLineRecordsWithCrLf)
{
    std::string bytes = ReadBytes(kSitesFileName);
    ASSERT_TRUE(HasOnlyCrLfLineEnds(bytes));
    EXPECT_EQ(CountLines(bytes), 3 * sites_.size());
    EXPECT_GE(sites_.size(), 20u);
}

TEST_F(ShippedSites, EverySiteParsesWithDecimalCommaAndLiesInTheRegion)
{
    std::set<std::string> names;
    for (const Site& site : sites_) {
        SCOPED_TRACE(site.name);
        EXPECT_FALSE(site.name.empty());
        EXPECT_TRUE(names.insert(site.name).second) << "name occurs twice";
        double latitude = TextToFloat(site.latitude, ',');
        double longitude = TextToFloat(site.longitude, ',');
        EXPECT_GE(latitude, kSouth);
        EXPECT_LE(latitude, kNorth);
        EXPECT_GE(longitude, kWest);
        EXPECT_LE(longitude, kEast);
    }
}

TEST_F(ShippedSites, SettingsSortByKindAndNameASiteOfTheList)
{
    std::string bytes = ReadBytes(kConfigFileName);
    ASSERT_TRUE(HasOnlyCrLfLineEnds(bytes));
    EXPECT_EQ(CountLines(bytes), 4u);
    EXPECT_EQ(ReadSortKey(), kSortKeyByKind);

    StoredSite current = ReadCurrentSite();
    bool listed = false;
    for (const Site& site : sites_)
        listed = listed || (site.name == current.Name && site.latitude == current.LatitudeText &&
                            site.longitude == current.LongitudeText);
    EXPECT_TRUE(listed) << current.Name << " " << current.LatitudeText << " " << current.LongitudeText;
}

}  // namespace
