#pragma once
// A catalogue file with every formation of the IAU gazetteer (9,049 of
// them), for measuring the program with a catalogue of full size.

#include <filesystem>

/// What WriteIauCatalogue wrote.
struct IauCatalogueSummary {
    int Formations = 0;  ///< records written, one per gazetteer entry
    int FarSide = 0;     ///< of those, centred on the far side (frame clamped to the limb)
    int WithHeight = 0;  ///< of those, with a height (origin "1")
};

/// How the catalogue is made.
struct IauCatalogueOptions {
    /// Heights from the height table only (as the shipped catalogue), or a
    /// height for every formation: the table's, else 1000 m (the most work
    /// for the shadow transit times).
    bool HeightForEveryFormation = false;
};

/// The folder of the gazetteer and the height table (tools/source-data).
std::filesystem::path IauSourceDataFolder();

/// Writes `output` as a catalogue in the program's format (twelve-line
/// records, Windows-1252, CR LF, decimal comma) with one record per line of
/// moon-features.tsv, in the gazetteer's order.
///
///   - Frame: the bounding box of the formation's outline (a circle of the
///     gazetteer's diameter) in the map's view (map/map_projection.h),
///     at least 5 x 5 pixels, within the picture. Outline points on the far
///     side are moved to the limb in their direction, so a formation on the
///     far side gets a small frame at the limb (clamped, not left out).
///   - Name: the IAU name; the few letters Windows-1252 cannot hold lose
///     their accent (Anděl -> Andel).
///   - Latitude and longitude as in the gazetteer; height from
///     feature-heights.tsv where it has one (see the options); first
///     description line the kind in German, second the diameter; origin "1"
///     with a height, "0" otherwise.
///
/// Throws std::runtime_error when a source file cannot be read or the
/// output cannot be written.
IauCatalogueSummary WriteIauCatalogue(const std::filesystem::path& output, const IauCatalogueOptions& options = {},
                                      const std::filesystem::path& sourceData = IauSourceDataFolder());
