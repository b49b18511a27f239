#pragma once
// The site list places.dat: records of three lines with nothing between
// them, in the order they were added.
//   line 1    the site's name (free text; names need not be unique)
//   line 2    its latitude as text (decimal degrees, north positive)
//   line 3    its longitude as text (decimal degrees, east positive)
// A record is identified by its name, compared exactly. The number texts are
// kept as text; callers convert them when they need the numbers. Like every
// record loop of the program, each function here handles at least one
// record, so an empty file reads as one record of three empty lines.

#include "setup/config_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kSiteListFileName = "places.dat";

/// The names of all records in file order; an empty file gives one empty
/// name. Empty lines after the last record make no record.
std::vector<std::string> ReadSiteNames();

/// The first record named exactly `name`, or nothing when no record is. Its
/// number texts must be numbers within ±90 (latitude) and ±180 (longitude);
/// otherwise ConversionError names line and value. `path` is the site list
/// to read: places.dat in the current folder unless another is named.
std::optional<StoredSite> FindSite(const std::string& name, const std::string& path = kSiteListFileName);

/// Appends one record at the end of the file, which must exist
/// (FileNotFoundError otherwise), all or nothing (through places2.dat).
/// Throws EncodingError naming the field before writing when a text holds a
/// control character or a character the file cannot store.
void AppendSite(const StoredSite& site);

/// Rewrites the file through places2.dat with every record named `name`
/// replaced by `replacement`; every other record is copied byte for byte.
void ReplaceSites(const std::string& name, const StoredSite& replacement);

/// Rewrites the file through places2.dat without the records named `name`.
void RemoveSites(const std::string& name);

/// Whether `name` can be kept as the first line of a record: every
/// character exists in Windows-1252 and none is a control character (a line
/// break above all).
bool IsStorableSiteName(std::string_view name);
