#pragma once
// A synthetic photograph of the Moon, drawn from sky offsets alone (for
// example those of tools/height_check/shadow_timings.csv): a lit disc of
// known centre and radius in pixels with a night side that hides part of
// its limb, darker plains, crater rings at given places and dark shadow
// wedges from each summit to its tip, blurred as by seeing and with noise.
// It knows nothing of the program: the tests check the program's
// calibration and heights against the truth it was drawn with.

#include <cstdint>
#include <string>
#include <vector>

/// How the sky lies on the picture. Without turn and mirror north is up and
/// east left; the turn is counterclockwise on the screen from up to north;
/// a mirrored picture has east right.
struct PictureGeometry {
    int Width = 1200, Height = 1200;
    double CentreX = 600, CentreY = 600;  ///< pixels; pixel (i, j) has its centre at (i + 0.5, j + 0.5)
    double PixelsPerArcsecond = 0.6;
    double TurnDegrees = 0;
    bool Mirrored = false;
};

struct PicturePoint {
    double X = 0, Y = 0;  ///< pixels
};

/// Where a sky offset (arcseconds east and north of the disc's centre, in
/// the tangent plane) falls on the picture.
PicturePoint OnPicture(const PictureGeometry& geometry, double east, double north);

struct DrawnShadow {
    double SummitEast = 0, SummitNorth = 0;  ///< arcseconds
    double TipEast = 0, TipNorth = 0;        ///< arcseconds
};

struct DrawnCrater {
    double East = 0, North = 0;  ///< arcseconds, its centre
    double Radius = 8;           ///< arcseconds
};

struct SyntheticMoon {
    double SemiDiameter = 930;  ///< arcseconds, tangent-plane radius of the disc
    /// Where the Sun stands, a unit vector: east and north on the sky and
    /// toward the observer. A point of the disc is lit where its outward
    /// normal (seen orthographically) leans toward it; the terminator and
    /// the dark part of the limb follow.
    double SunEast = 1, SunNorth = 0, SunToward = 0;
    std::vector<DrawnShadow> Shadows;
    std::vector<DrawnCrater> Craters;
    double BlurPixels = 1.2;  ///< Gaussian sigma of the seeing
    double NoiseLevel = 400;  ///< standard deviation of the noise, of 65535
    unsigned Seed = 1;
};

/// The picture, 16-bit brightness row by row from the top.
std::vector<std::uint16_t> DrawSyntheticMoon(const SyntheticMoon& moon, const PictureGeometry& geometry);

/// Saves it as a 16-bit grey TIFF (Qt) or, for names ending in ".fits", as
/// a FITS file (cfitsio, first row at the bottom as FITS counts) with
/// DATE-OBS `dateObs` when it is not empty. Returns false on failure.
bool SaveSyntheticMoon(const std::vector<std::uint16_t>& pixels, const PictureGeometry& geometry,
                       const std::string& path, const std::string& dateObs = {});
