// Number texts, whole-number reads and rounding.

#include "platform/errors.h"
#include "platform/number_text.h"
#include "platform/rounding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FloatTextCase {
    double value;
    char separator;
    const char* text;
};

TEST(FloatToText, ShortestTextWithAtMostFifteenDigits)
{
    const FloatTextCase cases[] = {
        {0.0,                ',', "0"               },
        {-0.0,               ',', "0"               },
        {12.0,               ',', "12"              },
        {4800.0,             ',', "4800"            },
        {-0.5,               ',', "-0,5"            },
        {-33.5,              '.', "-33.5"           },
        {51.0 + 20.0 / 60.0, ',', "51,3333333333333"},
        {0.1 + 0.2,          ',', "0,3"             },
        {2452615.333,        '.', "2452615.333"     },
        {123456789012345.0,  ',', "123456789012345" },
        {1e15,               ',', "1E15"            },
        {0.0001,             ',', "0,0001"          },
        {1e-7,               ',', "1E-7"            },
        {-2.5e-9,            '.', "-2.5E-9"         },
        {60.0,               '.', "60"              },
        {57.759016,          ',', "57,759016"       },
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToText(c.value, c.separator), c.text) << "value " << c.value;
}

TEST(FloatToText, TextReadBackGivesTheNextStepOfAnAngleSum)
{
    // The coordinate entry adds minutes, writes the text, reads it back and
    // adds the seconds: the second step starts from the 15-digit text.
    std::string minutes = FloatToText(51.0 + 20.0 / 60.0, ',');
    double readBack = TextToFloat(minutes, ',');
    EXPECT_EQ(FloatToText(readBack + 30.0 / 3600.0, ','), "51,3416666666666");
}

TEST(TextToFloat, AcceptsNumbersWithTheGivenSeparator)
{
    EXPECT_DOUBLE_EQ(TextToFloat("51,5", ','), 51.5);
    EXPECT_DOUBLE_EQ(TextToFloat("51.5", '.'), 51.5);
    EXPECT_DOUBLE_EQ(TextToFloat(" -12 ", ','), -12.0);
    EXPECT_DOUBLE_EQ(TextToFloat("+3", ','), 3.0);
    EXPECT_DOUBLE_EQ(TextToFloat(",5", ','), 0.5);
    EXPECT_DOUBLE_EQ(TextToFloat("5,", ','), 5.0);
    EXPECT_DOUBLE_EQ(TextToFloat("1,5E3", ','), 1500.0);
}

TEST(TextToFloat, RefusesOtherTextsWithTheGermanMessage)
{
    const char* refused[] = {"", " ", "-", "abc", "51.5", "1,2,3", "1e", "nan", "inf", "1 000", "12a", "1e999"};
    for (const char* text : refused) {
        try {
            TextToFloat(text, ',');
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
        }
    }
}

TEST(FileTextToFloat, AcceptsCommaAndPoint)
{
    EXPECT_DOUBLE_EQ(FileTextToFloat("51,3333"), 51.3333);
    EXPECT_DOUBLE_EQ(FileTextToFloat("51.3333"), 51.3333);
    EXPECT_THROW(FileTextToFloat("51;3"), ConversionError);
    EXPECT_THROW(FileTextToFloat(""), ConversionError);
}

TEST(TextToInt, ReadsWholeNumbersOnly)
{
    EXPECT_EQ(TextToInt("05"), 5);
    EXPECT_EQ(TextToInt("  7"), 7);
    EXPECT_EQ(TextToInt("-2147483648"), -2147483648LL);
    EXPECT_EQ(TextToInt("+12"), 12);
    const char* refused[] = {"", "1.5", "1,5", "7 ", "x", "2147483648", "-", "0x10"};
    for (const char* text : refused) {
        try {
            TextToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' ist kein gültiger Integerwert");
        }
    }
}

TEST(ReadLeadingInteger, SkipsBlanksAndIgnoresTheRestOfTheLine)
{
    EXPECT_EQ(ReadLeadingInteger("  42"), 42);
    EXPECT_EQ(ReadLeadingInteger("\t-7 Pixel"), -7);
    EXPECT_EQ(ReadLeadingInteger("12.9"), 12);
    EXPECT_THROW(ReadLeadingInteger(""), ConversionError);
    EXPECT_THROW(ReadLeadingInteger("  "), ConversionError);
    EXPECT_THROW(ReadLeadingInteger("links"), ConversionError);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, long long> cases[] = {
        {0.5,         0 },
        {1.5,         2 },
        {2.5,         2 },
        {3.5,         4 },
        {-0.5,        0 },
        {-1.5,        -2},
        {-2.5,        -2},
        {2.4999999,   2 },
        {2.5000001,   3 },
        {59.99999999, 60},
        {-7.2,        -7},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

TEST(Rounding, WholeAndFractionalPartsKeepTheSign)
{
    EXPECT_EQ(Int(-1.75), -1.0);
    EXPECT_DOUBLE_EQ(Frac(-1.25), -0.25);
    EXPECT_DOUBLE_EQ(Frac(2.75), 0.75);
    EXPECT_EQ(Trunc(-3.9), -3);
    EXPECT_DOUBLE_EQ(PositiveFrac(-0.25), 0.75);
    EXPECT_DOUBLE_EQ(PositiveFrac(2.5), 0.5);
    EXPECT_DOUBLE_EQ(PositiveFrac(-3.0), 0.0);
}

}  // namespace
