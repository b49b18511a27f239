// Checks of a new object's entry, its angles and its record; the rubber
// band's exclusive-or drawing.

#include "app/new_object.h"
#include "map/focus_rectangle.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

namespace {

NewObjectEntry ValidEntry()
{
    NewObjectEntry entry;
    entry.Name = "Mein Krater";
    entry.LatitudeDegrees = "-10";
    entry.LatitudeMinutes = "30";
    entry.LatitudeSeconds = "0";
    entry.LongitudeDegrees = "20";
    entry.LongitudeMinutes = "0";
    entry.LongitudeSeconds = "15";
    return entry;
}

TEST(NewObjectProblem, FirstFailingCheckInTheirOrder)
{
    struct Case {
        const char* what;
        void (*change)(NewObjectEntry&);
        const char* message;
    };
    const Case cases[] = {
        {"no name",
         [](NewObjectEntry& e) {
             e.Name.clear();
             e.LatitudeDegrees.clear();
         },                                                                             "Bitte geben Sie einen Namen für das Objekt ein!"                                             },
        {"no latitude",
         [](NewObjectEntry& e) {
             e.LatitudeDegrees.clear();
             e.LongitudeDegrees.clear();
         },                                                                             "Für Höhenberechnungen wird die selenographische Breite des Objekts benötigt."              },
        {"no longitude",         [](NewObjectEntry& e) { e.LongitudeDegrees.clear(); },
         "Für Höhenberechnungen wird die selenographische Länge des Objekts benötigt."                                                                                             },
        {"latitude 91",
         [](NewObjectEntry& e) {
             e.LatitudeDegrees = "91";
             e.LongitudeDegrees = "-91";
         },                                                                             "Beobachtbare Objekte auf dem Mond haben eine selenographische Breite zwischen -90° und +90°"},
        {"longitude -91",
         [](NewObjectEntry& e) {
             e.LongitudeDegrees = "-91";
             e.LatitudeMinutes = "60";
         },                                                                             "Beobachtbare Objekte auf dem Mond haben eine selenographische Länge zwischen -90° und +90°"},
        {"latitude minutes 60",
         [](NewObjectEntry& e) {
             e.LatitudeMinutes = "60";
             e.LongitudeMinutes = "-1";
         },                                                                             "Ungültige Eingabe für den Minutenwert der selenographischen Breite"                         },
        {"longitude minutes -1", [](NewObjectEntry& e) { e.LongitudeMinutes = "-1"; },
         "Ungültige Eingabe für den Minutenwert der selenographischen Länge"                                                                                                        },
        {"latitude seconds 60",  [](NewObjectEntry& e) { e.LatitudeSeconds = "60"; },
         "Ungültige Eingabe für den Sekundenwert der selenographischen Breite"                                                                                                       },
        {"longitude seconds 99", [](NewObjectEntry& e) { e.LongitudeSeconds = "99"; },
         "Ungültige Eingabe für den Sekundenwert der selenographischen Länge"                                                                                                       },
        {"half a minute",        [](NewObjectEntry& e) { e.LongitudeMinutes = "1,5"; },
         "Bitte geben Sie für den Minutenwert der selenographischen Länge eine ganze Zahl ein."                                                                                      },
        {"fractional degree",
         [](NewObjectEntry& e) {
             e.LatitudeDegrees = "10,5";
             e.LatitudeSeconds = "2,5";
         },                                                                             "Bitte geben Sie für den Gradwert der selenographischen Breite eine ganze Zahl ein."          },
    };
    for (const Case& c : cases) {
        NewObjectEntry entry = ValidEntry();
        c.change(entry);
        EXPECT_EQ(NewObjectProblem(entry, ','), c.message) << c.what;
    }
    EXPECT_EQ(NewObjectProblem(ValidEntry(), ','), "");
}

TEST(NewObjectProblem, LimitsAreInclusive)
{
    NewObjectEntry entry = ValidEntry();
    entry.LatitudeDegrees = "89";
    entry.LongitudeDegrees = "-89";
    entry.LatitudeMinutes = "59";
    entry.LongitudeMinutes = "59";
    entry.LongitudeSeconds = "59";
    entry.LatitudeSeconds = "59";
    EXPECT_EQ(NewObjectProblem(entry, ','), "");
    entry = ValidEntry();
    entry.LatitudeDegrees = "-90";
    entry.LongitudeDegrees = "90";
    entry.LatitudeMinutes = entry.LatitudeSeconds = entry.LongitudeMinutes = entry.LongitudeSeconds = "0";
    EXPECT_EQ(NewObjectProblem(entry, ','), "");
}

TEST(NewObjectProblem, TheWholeAngleStaysWithinNinetyDegrees)
{
    // The degree fields alone pass at ±90; minutes and seconds must not
    // carry the angle beyond.
    const char* const latitude =
        "Beobachtbare Objekte auf dem Mond haben eine selenographische Breite zwischen -90° und +90°";
    const char* const longitude =
        "Beobachtbare Objekte auf dem Mond haben eine selenographische Länge zwischen -90° und +90°";
    struct Case {
        bool longitude;  // else the latitude row
        const char* fields[3];
        const char* message;
    };
    const Case cases[] = {
        {false, {"90", "30", "0"},  latitude },
        {false, {"-90", "59", "0"}, latitude },
        {false, {" -90", "0", "1"}, latitude },
        {false, {"89", "59", "59"}, ""       },
        {true,  {"90", "30", "0"},  longitude},
        {true,  {"-90", "0", "1"},  longitude},
        {true,  {"-0", "59", "59"}, ""       },
        {true,  {"-90", "0", "0"},  ""       },
    };
    for (const Case& c : cases) {
        NewObjectEntry entry = ValidEntry();
        (c.longitude ? entry.LongitudeDegrees : entry.LatitudeDegrees) = c.fields[0];
        (c.longitude ? entry.LongitudeMinutes : entry.LatitudeMinutes) = c.fields[1];
        (c.longitude ? entry.LongitudeSeconds : entry.LatitudeSeconds) = c.fields[2];
        EXPECT_EQ(NewObjectProblem(entry, ','), c.message) << c.fields[0] << " " << c.fields[1] << " " << c.fields[2];
    }
}

TEST(NewObjectProblem, FieldsThatAreNoNumbersAreConversionErrors)
{
    NewObjectEntry entry = ValidEntry();
    entry.LongitudeDegrees = "2.5";  // the settings expect a comma
    try {
        NewObjectProblem(entry, ',');
        ADD_FAILURE() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'2.5' ist kein gültiger Gleitkommawert");
    }
}

TEST(EnteredAngle, SignComesFromTheDegreeField)
{
    EXPECT_DOUBLE_EQ(EnteredAngle("-10", -10, 30, 0), -10.5);
    EXPECT_DOUBLE_EQ(EnteredAngle("-0", -0.0, 30, 0), -0.5);
    EXPECT_DOUBLE_EQ(EnteredAngle(" -0", -0.0, 30, 0), -0.5);  // the number conversion skips the blank
    EXPECT_DOUBLE_EQ(EnteredAngle("\t-0", -0.0, 30, 0), -0.5);
    EXPECT_DOUBLE_EQ(EnteredAngle("10", 10, 30, 0), 10.5);
    EXPECT_DOUBLE_EQ(EnteredAngle("0", 0, 0, 36), 0.01);
}

TEST(MakeUserObject, NormalisesTheFrameAndWritesTheAngles)
{
    NewObjectEntry entry = ValidEntry();
    entry.Height = "ca. 1200";
    entry.Description1 = "Doppelkrater";
    LunarObject forward = MakeUserObject(entry, {120, 80, 150, 95}, ',');
    LunarObject backward = MakeUserObject(entry, {150, 95, 120, 80}, ',');
    for (const LunarObject& object : {forward, backward}) {
        EXPECT_EQ(object.FrameLeft, 120);
        EXPECT_EQ(object.FrameRight, 150);
        EXPECT_EQ(object.FrameTop, 80);
        EXPECT_EQ(object.FrameBottom, 95);
    }
    EXPECT_EQ(forward.SelenographicLatitude, "-10,5");
    entry.LatitudeDegrees = " -5";
    EXPECT_EQ(MakeUserObject(entry, {120, 80, 150, 95}, ',').SelenographicLatitude, "-5,5");
    EXPECT_EQ(forward.SelenographicLongitude, "20,0041666666667");
    EXPECT_EQ(forward.Height, "ca. 1200");
    EXPECT_EQ(forward.Description1, "Doppelkrater");
    EXPECT_EQ(forward.Origin, "2");
    EXPECT_TRUE(forward.OffersHeightMeasurement());
}

TEST(FocusRectangle, DrawingTwiceRestoresEveryPixel)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 8, 100));
    const QImage original = picture.copy();
    DrawFocusRectangle(picture, QPoint(30, 25), QPoint(5, 4), QColor(0, 255, 255));
    EXPECT_NE(picture, original);
    // Only the outline changes, every other pixel of it, green and blue inverted.
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool onOutline = (x == 5 || x == 30) ? (y >= 4 && y <= 25) : ((y == 4 || y == 25) && x >= 5 && x <= 30);
            bool dotted = onOutline && (x + y) % 2 == 0;
            QRgb before = original.pixel(x, y), after = picture.pixel(x, y);
            if (dotted)
                EXPECT_EQ(after, qRgb(qRed(before), qGreen(before) ^ 255, qBlue(before) ^ 255)) << x << "," << y;
            else
                EXPECT_EQ(after, before) << x << "," << y;
        }
    }
    DrawFocusRectangle(picture, QPoint(5, 4), QPoint(30, 25), QColor(0, 255, 255));
    EXPECT_EQ(picture, original);
}

TEST(FocusRectangle, PartsOutsideThePictureAreSkipped)
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(16, 16, 16));
    const QImage original = picture.copy();
    DrawFocusRectangle(picture, QPoint(-5, -5), QPoint(20, 4), QColor(0, 255, 255));
    DrawFocusRectangle(picture, QPoint(20, 4), QPoint(-5, -5), QColor(0, 255, 255));
    EXPECT_EQ(picture, original);
}

}  // namespace
