#pragma once
// A place on the Moon in selenographic coordinates.

/// A point of the Moon, degrees: latitude -90..90 north positive, longitude
/// east positive (toward Mare Crisium), any range unless a user says.
struct SelenographicPoint {
    double Latitude = 0;
    double Longitude = 0;
};
