#pragma once
// Catalogue records in the file's own form (CR LF, Windows-1252 bytes), for
// tests that write objects.dat.

#include <string>

struct RecordLines {
    std::string frame;  ///< "left right top bottom"
    std::string name;
    std::string latitude;
    std::string longitude;
    std::string height;
    std::string origin;
    std::string description1 = "";
    std::string description2 = "";
    std::string description3 = "";
};

/// The record's twelve lines, each ended by CR LF.
std::string CatalogueRecord(const RecordLines& lines);

/// Shorthand for a record without descriptions.
inline std::string Record(const std::string& frame, const std::string& name, const std::string& latitude,
                          const std::string& longitude, const std::string& height, const std::string& origin)
{
    return CatalogueRecord({frame, name, latitude, longitude, height, origin});
}
