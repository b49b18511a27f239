// FITS pictures through cfitsio: the first image of two (or three, for a
// colour cube) dimensions, scaled from its own range to 16 bits.

#include "photo/photo_file.h"

#include <fitsio.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct FitsCloser {
    void operator()(fitsfile* file) const
    {
        int status = 0;
        fits_close_file(file, &status);
    }
};
using FitsHandle = std::unique_ptr<fitsfile, FitsCloser>;

[[noreturn]] void Refuse(const std::string& name, const std::string& why)
{
    throw PhotoFileError("Das Bild \"" + name + "\" kann nicht gelesen werden: " + why + ".");
}

std::string DamagedOr(int status, const char* otherwise)
{
    // End of file and read errors: the file is shorter than its header says.
    if (status == END_OF_FILE || status == READ_ERROR) return "die FITS-Datei ist unvollständig";
    return otherwise;
}

std::optional<std::string> StringKey(fitsfile* file, const char* key)
{
    char value[FLEN_VALUE] = {};
    int status = 0;
    if (fits_read_key(file, TSTRING, key, value, nullptr, &status) != 0) return std::nullopt;
    return std::string(value);
}

// DATE-OBS ("2026-12-18T15:35:07.5", "2026-12-18" with TIME-OBS, or the old
// "18/12/96"), universal time.
void ReadDateObs(fitsfile* file, PhotoFile& photo)
{
    std::optional<std::string> date = StringKey(file, "DATE-OBS");
    if (!date) {
        photo.MomentNote = "keine Zeitangabe (DATE-OBS) in der Datei";
        return;
    }
    std::string text = *date;
    if (text.find('T') == std::string::npos) {
        std::optional<std::string> time = StringKey(file, "TIME-OBS");
        if (!time) time = StringKey(file, "UT");
        if (!time) {
            photo.MomentNote = "DATE-OBS ohne Uhrzeit";
            return;
        }
        int year = 0, month = 0, day = 0, status = 0;
        if (fits_str2date(text.data(), &year, &month, &day, &status) != 0) {
            photo.MomentNote = "DATE-OBS \"" + text + "\" ist kein Datum";
            return;
        }
        char iso[32];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02dT", year, month, day);
        text = iso + *time;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, status = 0;
    double second = 0;
    if (fits_str2time(text.data(), &year, &month, &day, &hour, &minute, &second, &status) != 0) {
        photo.MomentNote = "DATE-OBS \"" + text + "\" ist keine Zeitangabe";
        return;
    }
    photo.Moment = CivilTime{year, month, day, hour, minute, second};
    photo.Source = MomentSource::FitsUt;
    photo.MomentNote = "aus DATE-OBS (UT)";
}

}  // namespace

PhotoFile ReadFitsFile(const std::string& path, const std::string& shownName)
{
    fitsfile* raw = nullptr;
    int status = 0;
    // fits_open_diskfile takes the name as it is: no filter syntax in brackets.
    if (fits_open_diskfile(&raw, path.c_str(), READONLY, &status) != 0)
        Refuse(shownName, DamagedOr(status, "die Datei ist keine lesbare FITS-Datei"));
    FitsHandle file(raw);

    int hdus = 0;
    fits_get_num_hdus(file.get(), &hdus, &status);
    int bitpix = 0, axes = 0;
    long size[3] = {0, 0, 1};
    bool found = false;
    for (int hdu = 1; hdu <= hdus && status == 0 && !found; ++hdu) {
        int type = 0;
        if (fits_movabs_hdu(file.get(), hdu, &type, &status) != 0 || type != IMAGE_HDU) continue;
        size[2] = 1;
        if (fits_get_img_param(file.get(), 3, &bitpix, &axes, size, &status) != 0) break;
        found = axes >= 2 && size[0] > 0 && size[1] > 0;
    }
    if (status != 0) Refuse(shownName, DamagedOr(status, "die FITS-Datei ist beschädigt"));
    if (!found) Refuse(shownName, "die FITS-Datei enthält kein zweidimensionales Bild");
    const long planes = axes >= 3 ? size[2] : 1;
    if (planes != 1 && planes != 3) Refuse(shownName, "das FITS-Bild hat weder eine noch drei Farbebenen");
    const long long pixels = static_cast<long long>(size[0]) * size[1];
    if (pixels > LargestPhotoPixels) Refuse(shownName, "das Bild ist zu groß");

    // The planes summed (a colour cube becomes its brightness), then scaled
    // from the picture's own range to 0..65535.
    std::vector<float> sum(static_cast<std::size_t>(pixels));
    std::vector<float> plane;
    for (long p = 1; p <= planes; ++p) {
        if (p == 2) plane.resize(sum.size());
        float* target = p == 1 ? sum.data() : plane.data();
        long first[3] = {1, 1, p};
        float blank = NAN;
        int anyBlank = 0;
        if (fits_read_pix(file.get(), TFLOAT, first, pixels, &blank, target, &anyBlank, &status) != 0)
            Refuse(shownName, DamagedOr(status, "die Bilddaten der FITS-Datei sind beschädigt"));
        if (p > 1)
            for (std::size_t i = 0; i < sum.size(); ++i) sum[i] += plane[i];
    }
    float low = INFINITY, high = -INFINITY;
    for (float v : sum)
        if (std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
    const double span = high > low ? static_cast<double>(high) - low : 1.0;

    PhotoFile photo;
    photo.FileName = shownName;
    photo.Raster = BlankRaster(static_cast<int>(size[0]), static_cast<int>(size[1]));
    for (long y = 0; y < size[1]; ++y) {
        // FITS counts rows from the bottom.
        const float* in = &sum[static_cast<std::size_t>(size[1] - 1 - y) * size[0]];
        std::uint16_t* out = &photo.Raster.Pixels[static_cast<std::size_t>(y) * size[0]];
        for (long x = 0; x < size[0]; ++x)
            out[x] = std::isfinite(in[x]) ? static_cast<std::uint16_t>(std::lround((in[x] - low) / span * 65535.0)) : 0;
    }
    photo.Format = "FITS, " + std::to_string(std::abs(bitpix)) + " Bit" + (bitpix < 0 ? " Gleitkomma" : "");
    ReadDateObs(file.get(), photo);
    // An image in an extension may leave the moment to the primary header.
    int type = 0;
    if (photo.Source == MomentSource::None && fits_movabs_hdu(file.get(), 1, &type, &status) == 0) {
        PhotoFile primary;
        ReadDateObs(file.get(), primary);
        if (primary.Source != MomentSource::None) {
            photo.Moment = primary.Moment;
            photo.Source = primary.Source;
            photo.MomentNote = primary.MomentNote;
        }
    }
    return photo;
}
