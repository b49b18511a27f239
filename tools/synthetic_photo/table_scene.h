#pragma once
// A synthetic Moon for one moment and site of the shadow table: the disc
// at the table's semi-diameter, a crater ring at the foot of every
// formation the table lists then, the shadows of the chosen formations and
// heights, and the Sun where the table's own Sun altitudes put it: the
// direction whose altitude over each formation's foot (its normal seen
// orthographically) matches the table's, in the least-squares sense.

#include "tools/synthetic_photo/shadow_table.h"
#include "tools/synthetic_photo/synthetic_photo.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct TableScene {
    SyntheticMoon Moon;
    std::vector<ShadowCase> Shadows;       ///< the rows drawn, in the order asked for
    std::map<std::string, SkyPlace> Feet;  ///< every formation of the moment
};

/// Throws std::runtime_error when a shadow asked for is not in the table.
TableScene SceneFromTable(const std::vector<ShadowCase>& casesAtMoment,
                          const std::vector<std::pair<std::string, double>>& shadows);

/// The picture of the manual's chapter "Höhe aus einem Foto", also used by
/// the tests: 18 December 2026, 18:00 MEZ, Berlin, the shadows of
/// Copernicus (3000 m), Plato (2000 m) and Clavius (4000 m), a camera of
/// one pixel an arcsecond turned by 27.5 degrees and mirrored, as through a
/// star diagonal. Reads the table at MIRELTA_SHADOW_TABLE.
struct ChapterPicture {
    TableScene Scene;
    PictureGeometry Camera;
};
ChapterPicture TheChapterPicture();
