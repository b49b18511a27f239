// The alphabetical order of the lists: sorting by sort keys gives exactly the
// order of comparing the names with the collator, pair by pair, as the lists
// were sorted before; so does a sorter that reuses the keys of an earlier
// list.

#include "platform/name_order.h"
#include "platform/cp1252.h"

#include <gtest/gtest.h>
#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

// The order as it was made before: a stable sort asking the collator at
// every comparison.
QStringList ComparedPairByPair(QStringList names)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    return names;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Line 5 of every twelve-line record of the shipped catalogue.
QStringList ShippedCatalogueNames()
{
    std::istringstream lines(FileBytes(MIRELTA_DATA_DIR "/objects.dat"));
    QStringList names;
    std::string line;
    for (int number = 0; std::getline(lines, line); ++number)
        if (number % 12 == 4) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            names.append(QString::fromStdString(Cp1252ToUtf8(line)));
        }
    return names;
}

// The second column of the gazetteer: 9,049 names, many with accents.
QStringList GazetteerNames()
{
    std::istringstream lines(FileBytes(MIRELTA_SOURCE_DATA_DIR "/moon-features.tsv"));
    QStringList names;
    std::string line;
    std::getline(lines, line);  // the column names
    while (std::getline(lines, line)) {
        const std::size_t from = line.find('\t') + 1;
        names.append(QString::fromStdString(line.substr(from, line.find('\t', from) - from)));
    }
    return names;
}

// Umlauts, sharp s, accents, letter case, blanks, digits and names that
// compare equal (their order must stay).
const QStringList kTrickyNames = {
    "Ärmel", "Armin",  "armin",   "Arm",     "Ärger",         "Ägypten", "Abel",    "abel",      "ABEL",    "Öl",
    "Ol",    "Olbers", "Übel",    "Ubel",    "über",          "Straße",  "Strasse", "Strauss",   "Mädler",  "Madler",
    "Linné", "Linne",  "Cañon",   "Canon",   "Tycho A",       "Tycho",   "TychoA",  "Tycho B",   "Tycho 2", "Tycho 10",
    "",      " ",      "Zöllner", "Zollner", "Mons Ångström", "Hell Q",  "hell q",  "Abul Wáfa", "Abulfeda"};

TEST(AlphabeticalOrder, KeysSortAsThePairwiseComparison)
{
    for (const QStringList& names : {kTrickyNames, ShippedCatalogueNames(), GazetteerNames()}) {
        QStringList sorted = names;
        SortNamesAlphabetically(sorted);
        EXPECT_EQ(sorted, ComparedPairByPair(names));
    }
    EXPECT_GT(GazetteerNames().size(), 9000);
}

TEST(AlphabeticalOrder, ReusedKeysSortAsNewOnes)
{
    // A list, then the same list changed: names dropped and added, as after
    // deleting and saving objects; the second sort reuses keys of the first.
    const QStringList first = GazetteerNames();
    QStringList second = first.mid(100);
    second.append(kTrickyNames);
    AlphabeticalSorter sorter;
    for (QStringList names : {first, second, kTrickyNames}) {
        const QStringList expected = ComparedPairByPair(names);
        sorter.Sort(names);
        EXPECT_EQ(names, expected);
    }
}

}  // namespace
