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
/// name, and an empty line after the last record one more.
std::vector<std::string> ReadSiteNames();

/// The first record named exactly `name`, or nothing when no record is.
std::optional<StoredSite> FindSite(const std::string& name);

/// Appends one record at the end of the file, which must exist
/// (FileNotFoundError otherwise). Throws EncodingError before writing when a
/// text cannot be stored.
void AppendSite(const StoredSite& site);

/// Rewrites the file through places2.dat with every record named `name`
/// replaced by `replacement`; every other record is copied byte for byte.
void ReplaceSites(const std::string& name, const StoredSite& replacement);

/// Rewrites the file through places2.dat without the records named `name`.
void RemoveSites(const std::string& name);

/// Whether `name` can be kept as the first line of a record: every
/// character exists in Windows-1252 and there is no line break in it.
bool IsStorableSiteName(std::string_view name);
