#pragma once
// A place on the Moon by its selenographic coordinates.

/// A point of the Moon in selenographic coordinates, degrees: latitude
/// -90..90 north positive, longitude east positive (toward Mare Crisium).
struct SelenographicPoint {
    double Latitude = 0;
    double Longitude = 0;
};
