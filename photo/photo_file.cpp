// PNG, JPEG and TIFF through Qt's image plugins; FITS handed to cfitsio.

#include "photo/photo_file.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRgba64>

#include <fcntl.h>
#include <unistd.h>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

// While a picture is read, Qt's messages are caught instead of printed.
// Its JPEG plugin reports damage as warnings only (a JPEG missing its end
// reads as a picture with a grey bottom): a JPEG warning refuses the
// picture, except the harmless "extraneous bytes" some cameras leave.
class CaughtMessages {
public:
    CaughtMessages() : previous_(qInstallMessageHandler(&CaughtMessages::Catch)) { current_ = this; }
    ~CaughtMessages()
    {
        qInstallMessageHandler(previous_);
        current_ = nullptr;
    }
    CaughtMessages(const CaughtMessages&) = delete;
    CaughtMessages& operator=(const CaughtMessages&) = delete;

    bool JpegDamage() const { return jpegDamage_; }

private:
    static void Catch(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (!current_ || type == QtDebugMsg || type == QtInfoMsg) return;
        if (context.category && std::string_view(context.category).ends_with("jpeg") &&
            !text.contains(QStringLiteral("extraneous bytes")))
            current_->jpegDamage_ = true;
    }

    static inline CaughtMessages* current_ = nullptr;
    QtMessageHandler previous_;
    bool jpegDamage_ = false;
};

// libpng and libtiff, as Qt's plugins use them, print their errors to
// standard error themselves; Qt's read fails as well. While a picture is
// read, standard error goes nowhere, so that a damaged file gives the
// program's one message and nothing else.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) ::dup2(nowhere, 2);
        if (nowhere >= 0) ::close(nowhere);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ < 0) return;
        ::dup2(saved_, 2);
        ::close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

[[noreturn]] void Refuse(const std::string& name, const std::string& why)
{
    throw PhotoFileError("Das Bild \"" + name + "\" kann nicht gelesen werden: " + why + ".");
}

bool StartsLikeFits(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<char, 9> start{};
    file.read(start.data(), start.size());
    return file.gcount() == 9 && std::memcmp(start.data(), "SIMPLE  =", 9) == 0;
}

// Luminance weights of Rec. 709, in 1/65536.
constexpr std::uint32_t kRed = 13933, kGreen = 46871, kBlue = 4732;

std::uint16_t Luminance(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return static_cast<std::uint16_t>((kRed * r + kGreen * g + kBlue * b + 32768) >> 16);
}

PhotoRaster Brightness(const QImage& image)
{
    PhotoRaster raster = BlankRaster(image.width(), image.height());
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        std::uint16_t* out = &raster.Pixels[static_cast<std::size_t>(y) * w];
        const uchar* line = image.constScanLine(y);
        switch (image.format()) {
            case QImage::Format_Grayscale16:
                std::memcpy(out, line, sizeof(std::uint16_t) * w);
                break;
            case QImage::Format_Grayscale8:
                for (int x = 0; x < w; ++x) out[x] = static_cast<std::uint16_t>(line[x] * 257);
                break;
            case QImage::Format_RGBX64:
            case QImage::Format_RGBA64: {
                const auto* p = reinterpret_cast<const QRgba64*>(line);
                for (int x = 0; x < w; ++x) out[x] = Luminance(p[x].red(), p[x].green(), p[x].blue());
                break;
            }
            default: {
                const auto* p = reinterpret_cast<const QRgb*>(line);
                for (int x = 0; x < w; ++x)
                    out[x] = Luminance(qRed(p[x]) * 257u, qGreen(p[x]) * 257u, qBlue(p[x]) * 257u);
                break;
            }
        }
    }
    return raster;
}

// The format the brightness is taken from: the image's own where it is one
// of the four read directly, 32-bit RGB otherwise.
QImage Readable(QImage image)
{
    switch (image.format()) {
        case QImage::Format_Grayscale16:
        case QImage::Format_Grayscale8:
        case QImage::Format_RGBX64:
        case QImage::Format_RGBA64:
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
            return image;
        case QImage::Format_RGBA64_Premultiplied:
            return image.convertToFormat(QImage::Format_RGBA64);
        default:
            return image.convertToFormat(image.depth() > 32 ? QImage::Format_RGBA64 : QImage::Format_RGB32);
    }
}

int BitsPerSample(const QImage& image)
{
    switch (image.format()) {
        case QImage::Format_Grayscale16:
        case QImage::Format_RGBX64:
        case QImage::Format_RGBA64:
        case QImage::Format_RGBA64_Premultiplied:
            return 16;
        default:
            return 8;
    }
}

}  // namespace

PhotoFile ReadPhotoFile(const std::string& path)
{
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    const QFileInfo info(name);
    const std::string shownName = info.fileName().toStdString();
    if (!info.exists()) Refuse(shownName, "Datei nicht gefunden");
    if (!info.isFile()) Refuse(shownName, "das ist keine Datei");
    if (!info.isReadable()) Refuse(shownName, "keine Leseberechtigung");
    if (StartsLikeFits(path)) return ReadFitsFile(path, shownName);

    // Large 16-bit colour pictures need more than Qt's default of 256 MB.
    QImageReader::setAllocationLimit(4096);
    QImage image;
    QByteArray format;
    {
        CaughtMessages messages;
        QuietStandardError quiet;
        QImageReader reader(name);
        reader.setAutoTransform(false);  // the pixels as stored; the calibration finds the turn
        format = reader.format();
        if (format.isEmpty()) Refuse(shownName, "unbekanntes Dateiformat (gelesen werden PNG, JPEG, TIFF und FITS)");
        const QSize size = reader.size();
        if (size.isValid() && static_cast<long long>(size.width()) * size.height() > LargestPhotoPixels)
            Refuse(shownName, "das Bild ist zu groß");
        const bool read = reader.read(&image);
        if (!read || image.isNull() || messages.JpegDamage())
            Refuse(shownName, "die Datei ist beschädigt oder unvollständig");
    }

    PhotoFile photo;
    photo.FileName = shownName;
    photo.Format = format.toUpper().toStdString() + ", " + std::to_string(BitsPerSample(image)) + " Bit";
    if (photo.Format.starts_with("TIF,")) photo.Format.replace(0, 3, "TIFF");
    if (photo.Format.starts_with("JPG,")) photo.Format.replace(0, 3, "JPEG");
    photo.Raster = Brightness(Readable(std::move(image)));
    ReadExifMoment(path, photo);
    return photo;
}
