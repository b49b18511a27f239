#pragma once
// Reading a lunar photograph: PNG, JPEG and TIFF (8 and 16 bit) through
// Qt's image plugins, FITS through cfitsio, and the moment it was taken
// from the file where it is there (FITS DATE-OBS; EXIF DateTimeOriginal
// through exiv2). The file is only ever opened for reading.

#include "photo/photo_moment.h"
#include "photo/photo_raster.h"
#include "platform/errors.h"

#include <optional>
#include <string>

/// A picture that cannot be read; what() is the German message, naming the
/// file.
class PhotoFileError : public MireltaError {
public:
    using MireltaError::MireltaError;
};

/// Where the moment of a photograph comes from.
enum class MomentSource {
    None,       ///< the file does not say
    FitsUt,     ///< FITS DATE-OBS (and TIME-OBS), universal time
    ExifClock,  ///< EXIF DateTimeOriginal, the camera's clock
};

struct PhotoFile {
    std::string FileName;  ///< the name without its folder, UTF-8
    PhotoRaster Raster;    ///< brightness, FITS turned so that its first row is at the bottom
    std::string Format;    ///< "FITS, 16 Bit", "TIFF, 16 Bit", "JPEG, 8 Bit" ...
    MomentSource Source = MomentSource::None;
    std::optional<CivilTime> Moment;  ///< on the clock Source names
    /// Minutes east of UT of the camera's clock when the file states it
    /// (EXIF OffsetTimeOriginal); otherwise the user says it.
    std::optional<int> ClockOffsetMinutes;
    /// A note on the moment for the window ("DATE-OBS ohne Uhrzeit"); may be empty.
    std::string MomentNote;
};

/// Reads the picture at `path` (local 8-bit encoding). Throws
/// PhotoFileError with a German message for a missing, unreadable,
/// damaged, truncated or unknown file; Qt's and the libraries' own warnings
/// are never printed.
PhotoFile ReadPhotoFile(const std::string& path);

/// The largest picture taken, pixels (about 400 megapixels: 800 MB of
/// 16-bit brightness).
inline constexpr long long LargestPhotoPixels = 400'000'000;

// The readers of the two families, for ReadPhotoFile.
PhotoFile ReadFitsFile(const std::string& path, const std::string& shownName);
void ReadExifMoment(const std::string& path, PhotoFile& photo);
