#pragma once
// Camera pictures for the tests: a small grey JPEG whose EXIF data says
// when it was taken, written with exiv2 as a camera would.

#include <QImage>

#include <exiv2/exiv2.hpp>

#include <string>

/// Writes `name` (a JPEG) with DateTimeOriginal `dateTime` ("2026:12:18
/// 19:00:05") and, when given, OffsetTimeOriginal `offset` ("+02:00").
inline bool WriteCameraPicture(const std::string& name, const std::string& dateTime, const std::string& offset = {})
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    if (!image.save(QString::fromStdString(name), "JPEG", 95)) return false;
    auto picture = Exiv2::ImageFactory::open(name);
    picture->readMetadata();
    Exiv2::ExifData data = picture->exifData();
    data["Exif.Photo.DateTimeOriginal"] = dateTime;
    if (!offset.empty()) {
        const Exiv2::AsciiValue value(offset);
        data.add(Exiv2::ExifKey(0x9011, "Photo"), &value);
    }
    picture->setExifData(data);
    picture->writeMetadata();
    return true;
}
