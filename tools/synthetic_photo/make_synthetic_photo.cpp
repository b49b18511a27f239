// Writes the synthetic photograph of the manual's chapter "Höhe aus einem
// Foto" (18 December 2026, 18:00 MEZ, Berlin; three shadows of 3000, 2000
// and 4000 m), to try the window with the real program:
//
//   make_synthetic_photo <picture.tif | picture.fits>
//
// A FITS file carries DATE-OBS in UT. It prints where the disc, the two
// formations of the calibration and the shadows lie in the picture.

#include "tools/synthetic_photo/table_scene.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_synthetic_photo <picture.tif | picture.fits>\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const ChapterPicture picture = TheChapterPicture();
    const TableScene& scene = picture.Scene;
    const PictureGeometry& camera = picture.Camera;
    if (!SaveSyntheticMoon(DrawSyntheticMoon(scene.Moon, camera), camera, argv[1], "2026-12-18T17:00:00")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("disc: centre %.2f %.2f, radius %.2f px\n", camera.CentreX, camera.CentreY,
                scene.Moon.SemiDiameter * camera.PixelsPerArcsecond);
    for (const char* name : {"Tycho", "Aristoteles"}) {
        const SkyPlace foot = scene.Feet.at(name);
        const PicturePoint p = OnPicture(camera, foot.East, foot.North);
        std::printf("%s: %.2f %.2f\n", name, p.X, p.Y);
    }
    for (const ShadowCase& c : scene.Shadows) {
        const PicturePoint summit = OnPicture(camera, c.SummitEast, c.SummitNorth);
        const PicturePoint tip = OnPicture(camera, c.TipEast, c.TipNorth);
        std::printf("%s %.0f m: summit %.2f %.2f, tip %.2f %.2f\n", c.Object.c_str(), c.Height, summit.X, summit.Y,
                    tip.X, tip.Y);
    }
    return 0;
}
