#pragma once
// The configuration file mirelta.ini: lines at fixed positions, not keys.
//   line 1    order of the object list, "Art" or "Alph"
//   line 2    name of the current observation site
//   line 3    its latitude as text (decimal degrees, north positive)
//   line 4    its longitude as text (decimal degrees, east positive)
//   line 5ff  kept unchanged by every rewrite
// Texts are UTF-8 here and Windows-1252 in the file.

#include <string>

inline constexpr const char* kConfigFileName = "mirelta.ini";

inline constexpr const char* kSortKeyByKind = "Art";
inline constexpr const char* kSortKeyAlphabetical = "Alph";

/// The current site as stored: the number texts are kept as text.
struct StoredSite {
    std::string Name;
    std::string LatitudeText;
    std::string LongitudeText;
};

/// Line 1, exactly as it stands (compared case-sensitively by the caller).
std::string ReadSortKey();

/// Lines 2 to 4. The number texts must be numbers within ±90 (latitude) and
/// ±180 (longitude); otherwise ConversionError names line and value, and
/// nothing of the site is taken.
StoredSite ReadCurrentSite();

/// Rewrites line 1 with `sortKey`; lines 2 to the end are copied.
void WriteSortKey(const std::string& sortKey);

/// Rewrites lines 2 to 4 with `site`; line 1 and lines 5 to the end are
/// copied. Throws EncodingError naming the field before touching the file
/// when a text holds a control character or one the file cannot store.
void WriteCurrentSite(const StoredSite& site);
