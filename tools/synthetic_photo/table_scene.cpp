#include "tools/synthetic_photo/table_scene.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

TableScene SceneFromTable(const std::vector<ShadowCase>& casesAtMoment,
                          const std::vector<std::pair<std::string, double>>& shadows)
{
    if (casesAtMoment.empty()) throw std::runtime_error("no cases at that moment");
    TableScene scene;
    scene.Moon.SemiDiameter = casesAtMoment.front().SemiDiameter;
    for (const ShadowCase& c : casesAtMoment)
        if (!scene.Feet.count(c.Object)) scene.Feet[c.Object] = FootOf(casesAtMoment, c.Object);
    for (const auto& [object, place] : scene.Feet) scene.Moon.Craters.push_back({place.East, place.North, 10});

    for (const auto& [object, height] : shadows) {
        const auto found = std::find_if(casesAtMoment.begin(), casesAtMoment.end(),
                                        [&](const ShadowCase& c) { return c.Object == object && c.Height == height; });
        if (found == casesAtMoment.end()) throw std::runtime_error("no shadow of " + object + " in the table");
        scene.Shadows.push_back(*found);
        scene.Moon.Shadows.push_back({found->SummitEast, found->SummitNorth, found->TipEast, found->TipNorth});
    }

    // sin(altitude) = normal . sun for every formation: three unknowns,
    // normal equations, Cramer's rule; then made a unit vector.
    double a[3][3] = {}, b[3] = {};
    for (const auto& [object, foot] : scene.Feet) {
        const auto row = std::find_if(casesAtMoment.begin(), casesAtMoment.end(),
                                      [&](const ShadowCase& c) { return c.Object == object; });
        const double e = foot.East / scene.Moon.SemiDiameter, n = foot.North / scene.Moon.SemiDiameter;
        const double normal[3] = {e, n, std::sqrt(std::max(0.0, 1 - e * e - n * n))};
        const double sine = std::sin(row->SunAltitude * std::acos(-1.0) / 180);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) a[i][j] += normal[i] * normal[j];
            b[i] += normal[i] * sine;
        }
    }
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double d = det(a);
    if (scene.Feet.size() < 3 || d == 0) throw std::runtime_error("fewer than three formations to find the Sun from");
    double sun[3];
    for (int column = 0; column < 3; ++column) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = j == column ? b[i] : a[i][j];
        sun[column] = det(m) / d;
    }
    const double length = std::sqrt(sun[0] * sun[0] + sun[1] * sun[1] + sun[2] * sun[2]);
    scene.Moon.SunEast = sun[0] / length, scene.Moon.SunNorth = sun[1] / length, scene.Moon.SunToward = sun[2] / length;
    return scene;
}

ChapterPicture TheChapterPicture()
{
    ChapterPicture picture;
    picture.Scene = SceneFromTable(CasesAt(ReadShadowTable(MIRELTA_SHADOW_TABLE), "18.12.2026", "18:00", "Berlin"),
                                   {
                                       {"Copernicus", 3000},
                                       {"Plato",      2000},
                                       {"Clavius",    4000}
    });
    picture.Camera.Width = 2100, picture.Camera.Height = 2000;
    picture.Camera.CentreX = 1043.37, picture.Camera.CentreY = 1021.81;
    picture.Camera.PixelsPerArcsecond = 1.0;
    picture.Camera.TurnDegrees = 27.5;
    picture.Camera.Mirrored = true;
    return picture;
}
