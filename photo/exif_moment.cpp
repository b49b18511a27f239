// The moment of a camera picture: EXIF DateTimeOriginal through exiv2.

#include "photo/photo_file.h"

#include <exiv2/exiv2.hpp>

void ReadExifMoment(const std::string& path, PhotoFile& photo)
{
    // exiv2 would print its warnings about odd files; a picture without
    // readable EXIF data simply has no moment.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    photo.MomentNote = "keine Aufnahmezeit (EXIF) in der Datei";
    try {
        // Opened for reading only; never a network address.
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(path, false);
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto original = exif.findKey(Exiv2::ExifKey("Exif.Photo.DateTimeOriginal"));
        if (original == exif.end()) return;
        photo.Moment = ParseExifDateTime(original->toString());
        if (!photo.Moment) {
            photo.MomentNote = "EXIF-Aufnahmezeit \"" + original->toString() + "\" ist keine Zeitangabe";
            return;
        }
        photo.Source = MomentSource::ExifClock;
        photo.MomentNote = "aus EXIF (Kamerauhr)";
        // OffsetTimeOriginal (tag 0x9011 of the Exif IFD), EXIF 2.31.
        const auto offset = exif.findKey(Exiv2::ExifKey(0x9011, "Photo"));
        if (offset != exif.end()) photo.ClockOffsetMinutes = ParseExifOffset(offset->toString());
    } catch (const std::exception&) {
        // No EXIF data exiv2 can read (its errors derive from
        // std::exception): the moment stays open.
    }
}
