// Reading pictures: FITS (cfitsio) with DATE-OBS, 16-bit TIFF, PNG and
// JPEG with EXIF through Qt and exiv2, all from small samples made here;
// damaged and cut files give one German message and nothing on standard
// error; the file is never changed.

#include "photo/photo_file.h"
#include "tests/photo/exif_sample.h"
#include "tests/support/temp_working_dir.h"

#include <QImage>
#include <QTest>

#include <fitsio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

// A FITS file of `width` x `height` (and `planes`) holding value(x, y, plane)
// with FITS's own row order (y = 0 is the first row, at the bottom).
template <class Value>
void WriteFits(const std::string& name, int bitpix, int datatype, long width, long height, long planes,
               Value (*value)(long, long, long), const std::vector<std::pair<const char*, const char*>>& keys)
{
    std::remove(name.c_str());
    fitsfile* file = nullptr;
    int status = 0;
    long size[3] = {width, height, planes};
    fits_create_file(&file, name.c_str(), &status);
    fits_create_img(file, bitpix, planes > 1 ? 3 : 2, size, &status);
    for (const auto& [key, text] : keys) fits_update_key(file, TSTRING, key, const_cast<char*>(text), nullptr, &status);
    std::vector<Value> data;
    for (long p = 0; p < planes; ++p)
        for (long y = 0; y < height; ++y)
            for (long x = 0; x < width; ++x) data.push_back(value(x, y, p));
    fits_write_img(file, datatype, 1, static_cast<LONGLONG>(data.size()), data.data(), &status);
    fits_close_file(file, &status);
    QCOMPARE(status, 0);
}

unsigned short Ramp(long x, long y, long) { return static_cast<unsigned short>(40000 + 1000 * y + 10 * x); }
float WithBlank(long x, long y, long) { return x == 1 && y == 1 ? NAN : static_cast<float>(-2.5 + x + 4 * y); }
unsigned char Plane(long x, long, long p) { return static_cast<unsigned char>(10 * p + x); }

struct FileState {
    std::string Bytes;
    timespec Modified{};
};

FileState StateOf(const std::string& name)
{
    struct stat info {};
    ::stat(name.c_str(), &info);
    return {ReadBytes(name), info.st_mtim};
}

// Standard error, caught in a file while `run` runs.
template <class Run>
std::string StandardErrorOf(Run run)
{
    std::fflush(stderr);
    const int saved = ::dup(2);
    std::FILE* caught = std::tmpfile();
    ::dup2(::fileno(caught), 2);
    run();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::string text;
    std::rewind(caught);
    for (int c; (c = std::fgetc(caught)) != EOF;) text += static_cast<char>(c);
    std::fclose(caught);
    return text;
}

}  // namespace

class PhotoFileTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempWorkingDir> dir;

private slots:
    void init() { dir = std::make_unique<TempWorkingDir>(); }
    void cleanup() { dir.reset(); }

    void fitsRowsCountFromTheBottomAndDateObsIsUt()
    {
        WriteFits<unsigned short>("mond.fits", USHORT_IMG, TUSHORT, 5, 3, 1, Ramp,
                                  {
                                      {"DATE-OBS", "2026-12-18T17:00:30.6"}
        });
        const PhotoFile photo = ReadPhotoFile("mond.fits");
        QCOMPARE(photo.Raster.Width, 5);
        QCOMPARE(photo.Raster.Height, 3);
        // 40000 .. 42040 spread over 0 .. 65535; the top row is FITS's last.
        auto scaled = [](double v) { return static_cast<int>(std::lround((v - 40000) / 2040.0 * 65535)); };
        QCOMPARE(int(photo.Raster.At(0, 2)), 0);
        QCOMPARE(int(photo.Raster.At(4, 0)), 65535);
        QCOMPARE(int(photo.Raster.At(3, 1)), scaled(Ramp(3, 1, 0)));
        QCOMPARE(photo.Format, std::string("FITS, 16 Bit"));
        QVERIFY(photo.Source == MomentSource::FitsUt);
        QVERIFY(photo.Moment);
        QCOMPARE(photo.Moment->Hour, 17);
        QCOMPARE(photo.Moment->Minute, 0);
        QVERIFY(std::abs(photo.Moment->Second - 30.6) < 1e-6);
        QCOMPARE(photo.FileName, std::string("mond.fits"));
    }

    void fitsFloatWithBlanksAndADateWithTimeObs()
    {
        WriteFits<float>("gleit.fit", FLOAT_IMG, TFLOAT, 3, 3, 1, WithBlank,
                         {
                             {"DATE-OBS", "2026-12-18"},
                             {"TIME-OBS", "17:05:00"  }
        });
        const PhotoFile photo = ReadPhotoFile("gleit.fit");
        QCOMPARE(int(photo.Raster.At(1, 1)), 0);      // the blank
        QCOMPARE(int(photo.Raster.At(2, 0)), 65535);  // the largest, top right
        QVERIFY(photo.Moment);
        QCOMPARE(photo.Moment->Hour, 17);
        QCOMPARE(photo.Moment->Minute, 5);

        WriteFits<float>("ohnezeit.fits", FLOAT_IMG, TFLOAT, 3, 3, 1, WithBlank,
                         {
                             {"DATE-OBS", "2026-12-18"}
        });
        const PhotoFile dateOnly = ReadPhotoFile("ohnezeit.fits");
        QVERIFY(!dateOnly.Moment);
        QCOMPARE(dateOnly.MomentNote, std::string("DATE-OBS ohne Uhrzeit"));
    }

    void fitsColourCubeIsSummed()
    {
        WriteFits<unsigned char>("farbe.fits", BYTE_IMG, TBYTE, 4, 2, 3, Plane, {});
        const PhotoFile photo = ReadPhotoFile("farbe.fits");
        // Sums 30 + 3x: linear in x, the same in both rows.
        QCOMPARE(int(photo.Raster.At(0, 0)), 0);
        QCOMPARE(int(photo.Raster.At(3, 1)), 65535);
        QCOMPARE(int(photo.Raster.At(1, 0)), 21845);
        QVERIFY(!photo.Moment);
    }

    void sixteenBitTiffKeepsEveryLevel()
    {
        QImage grey(3, 2, QImage::Format_Grayscale16);
        const std::uint16_t levels[6] = {0, 257, 12345, 32769, 54321, 65535};
        for (int i = 0; i < 6; ++i) reinterpret_cast<std::uint16_t*>(grey.scanLine(i / 3))[i % 3] = levels[i];
        QVERIFY(grey.save(QStringLiteral("grau.tif")));
        const PhotoFile photo = ReadPhotoFile("grau.tif");
        QCOMPARE(photo.Format, std::string("TIFF, 16 Bit"));
        for (int i = 0; i < 6; ++i) QCOMPARE(int(photo.Raster.At(i % 3, i / 3)), int(levels[i]));

        QImage colour(2, 1, QImage::Format_RGBX64);
        colour.setPixelColor(0, 0, QColor::fromRgba64(65535, 0, 0));
        colour.setPixelColor(1, 0, QColor::fromRgba64(0, 65535, 0));
        QVERIFY(colour.save(QStringLiteral("farbe.tif")));
        const PhotoFile rgb = ReadPhotoFile("farbe.tif");
        QCOMPARE(rgb.Format, std::string("TIFF, 16 Bit"));
        QVERIFY(std::abs(rgb.Raster.At(0, 0) - 0.2126 * 65535) < 2);
        QVERIFY(std::abs(rgb.Raster.At(1, 0) - 0.7152 * 65535) < 2);
    }

    void jpegExifMomentAndItsZone()
    {
        QVERIFY(WriteCameraPicture("kamera.jpg", "2026:12:18 19:00:05"));
        PhotoFile photo = ReadPhotoFile("kamera.jpg");
        QVERIFY(photo.Source == MomentSource::ExifClock);
        QVERIFY(photo.Moment == (CivilTime{2026, 12, 18, 19, 0, 5}));
        QVERIFY(!photo.ClockOffsetMinutes);
        QCOMPARE(photo.Format, std::string("JPEG, 8 Bit"));

        QVERIFY(WriteCameraPicture("kamera.jpg", "2026:12:18 19:00:05", "+02:00"));
        photo = ReadPhotoFile("kamera.jpg");
        QCOMPARE(photo.ClockOffsetMinutes.value_or(0), 120);

        // A PNG without EXIF: the moment stays open, which is no error.
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QVERIFY(image.save(QStringLiteral("ohne.png")));
        QVERIFY(!ReadPhotoFile("ohne.png").Moment);
    }

    void damagedAndCutFilesGiveOneGermanMessageAndNothingElse()
    {
        WriteFits<unsigned short>("a.fits", USHORT_IMG, TUSHORT, 64, 48, 1, Ramp,
                                  {
                                      {"DATE-OBS", "2026-12-18T17:00:00"}
        });
        QImage grey(64, 48, QImage::Format_Grayscale16);
        grey.fill(Qt::gray);
        QVERIFY(grey.save(QStringLiteral("a.tif")));
        QImage colour(64, 48, QImage::Format_RGB32);
        colour.fill(QColor(200, 100, 50));
        QVERIFY(colour.save(QStringLiteral("a.png")));
        QVERIFY(colour.save(QStringLiteral("a.jpg"), "JPEG", 90));

        std::mt19937 random(11);
        int refused = 0, read = 0;
        const std::string errors = StandardErrorOf([&] {
            for (const std::string sample : {"a.fits", "a.tif", "a.png", "a.jpg"}) {
                const std::string whole = ReadBytes(sample);
                const std::string extension = sample.substr(sample.find('.'));
                auto attempt = [&](const std::string& bytes, bool mustFail) {
                    const std::string name = "kaputt" + extension;
                    WriteBytes(name, bytes);
                    try {
                        ReadPhotoFile(name);
                        ++read;
                        QVERIFY2(!mustFail, (sample + " cut to " + std::to_string(bytes.size())).c_str());
                    } catch (const PhotoFileError& error) {
                        ++refused;
                        QVERIFY(std::string(error.what())
                                    .starts_with("Das Bild \"" + name + "\" kann nicht gelesen werden: "));
                    }
                };
                for (double share : {0.1, 0.5, 0.8, 0.97})
                    attempt(whole.substr(0, static_cast<size_t>(whole.size() * share)), true);
                for (int i = 0; i < 25; ++i) {
                    std::string bytes = whole;
                    for (int k = 0; k < 4; ++k) bytes[random() % bytes.size()] = static_cast<char>(random());
                    attempt(bytes, false);
                }
            }
        });
        QVERIFY2(errors.empty(), errors.c_str());
        QVERIFY(refused >= 16);
        qInfo("damaged samples: %d refused, %d read", refused, read);

        WriteBytes("text.png", "kein Bild");
        try {
            ReadPhotoFile("text.png");
            QFAIL("a text read as a picture");
        } catch (const PhotoFileError& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("Das Bild \"text.png\" kann nicht gelesen werden: unbekanntes Dateiformat "
                                    "(gelesen werden PNG, JPEG, TIFF und FITS)."));
        }
        QVERIFY_THROWS_EXCEPTION(PhotoFileError, ReadPhotoFile("fehlt.tif"));
    }

    void readingNeverChangesTheFile()
    {
        WriteFits<unsigned short>("b.fits", USHORT_IMG, TUSHORT, 8, 8, 1, Ramp,
                                  {
                                      {"DATE-OBS", "2026-12-18T17:00:00"}
        });
        QVERIFY(WriteCameraPicture("b.jpg", "2026:12:18 19:00:05"));
        for (const std::string name : {"b.fits", "b.jpg"}) {
            ::chmod(name.c_str(), 0444);
            const FileState before = StateOf(name);
            ReadPhotoFile(name);
            const FileState after = StateOf(name);
            QVERIFY(before.Bytes == after.Bytes);
            QCOMPARE(after.Modified.tv_sec, before.Modified.tv_sec);
            QCOMPARE(after.Modified.tv_nsec, before.Modified.tv_nsec);
        }
    }
};

QTEST_GUILESS_MAIN(PhotoFileTest)
#include "photo_file_test.moc"
