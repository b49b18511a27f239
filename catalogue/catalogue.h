#pragma once
// The catalogue file objects.dat. The file stays the truth: every list
// change, pick and deletion sees it as it is at that moment. The lookups
// read it whole each time and walk its lines without copying them; what
// they made of it (the index of its records, the list of names) is kept and
// serves the next lookup only while the file's bytes are the same as then.
// File times are no proof of that: on FAT and exFAT (and often over a
// network) a change of the same length with the old time put back leaves
// every time as it was.

#include "catalogue/lunar_object.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kCatalogueFileName = "objects.dat";

/// The texts of lines 6 to 8 of the record read last; the height panel
/// works on them.
struct SelectedObjectTexts {
    std::string Latitude;
    std::string Longitude;
    std::string Height;
};

/// A number that stays the same while objects.dat is unchanged and is new
/// after any change (the file is read then), so that what a window made
/// from the catalogue can be kept until the file changes. Throws as the
/// lookups do when the file cannot be read.
std::uint64_t CatalogueVersion();

/// Drops what was made of the file, as at the program's start (for
/// measuring a first start).
void ForgetKeptCatalogue();

/// The names of all records in file order. Like a loop with its test at the
/// end, an empty file yields one empty name; empty lines after the last
/// record make no record. The same list (the same pointer) comes back as
/// long as the file is unchanged.
///
/// The lookups, ReadAllObjects and the deletion check the frame lines of
/// every record they read (whole numbers on the map, 0..400) and the
/// coordinates of every record they return (empty, or latitude within ±90
/// and longitude within ±180); anything else throws ConversionError naming
/// file, line and value, before any of it is shown or computed with.
std::shared_ptr<const std::vector<std::string>> ReadObjectNames();

/// The first record named exactly `name`. Every record read on the way
/// leaves its texts in `selected`, so when nothing matches they are those of
/// the last record in the file.
std::optional<LunarObject> FindObjectByName(const std::string& name, SelectedObjectTexts& selected);

/// The first record whose frame contains map pixel (x, y); `selected` as above.
std::optional<LunarObject> FindObjectAtPoint(int x, int y, SelectedObjectTexts& selected);

/// Which texts of a record ReadAllObjects gives.
enum class ObjectTexts {
    All,
    /// Name, latitude, longitude, height and the first description line, as
    /// the windows that list formations need them; the others stay empty,
    /// which makes reading a large catalogue a third quicker.
    ForLists,
};

/// Every record in file order (for the windows that list formations, for
/// checks and tools).
std::vector<LunarObject> ReadAllObjects(ObjectTexts texts = ObjectTexts::All);

/// Removes every user-defined record (origin "2") named `name`, rewriting
/// the file through objects2.dat; catalogue objects of the same name stay.
/// Returns how many records were removed.
int DeleteUserObjects(const std::string& name);

/// Appends one record at the end of the file, which must exist, all or
/// nothing (through objects2.dat). Throws EncodingError naming the field
/// before anything is written when a text holds a control character or a
/// character the file cannot store.
void AppendObject(const LunarObject& object);
