"""Geometry of the program's Moon map, shared by the map and the catalogue.

The map is the orthographic view of the Moon from above the selenographic
point (CENTRE_LATITUDE, CENTRE_LONGITUDE), north up, east (positive
longitude) to the right. Map pixels count from the top-left corner, x to the
right and y downwards; pixel (x, y) is the unit square centred on (x, y).
The program takes the same constants from map/map_geometry.h.
"""

import math

import numpy as np

MAP_SIZE = 401
DISC_CENTRE_X = 200
DISC_CENTRE_Y = 200
DISC_RADIUS = 193                      # pixels
CENTRE_LATITUDE = 7.35                 # degrees, selenographic
CENTRE_LONGITUDE = 6.33333333333333    # degrees, selenographic
MOON_RADIUS_KM = 1737.4


def to_map(latitude, longitude):
    """Selenographic degrees to map coordinates.

    Works on scalars and numpy arrays. Returns (x, y, facing): x and y in
    map pixels (floats), facing the cosine of the angle between the point's
    normal and the line of sight, positive on the visible side.
    """
    phi = np.radians(latitude)
    dlam = np.radians(np.asarray(longitude) - CENTRE_LONGITUDE)
    phi0 = math.radians(CENTRE_LATITUDE)
    east = np.cos(phi) * np.sin(dlam)
    north = math.cos(phi0) * np.sin(phi) - math.sin(phi0) * np.cos(phi) * np.cos(dlam)
    facing = math.sin(phi0) * np.sin(phi) + math.cos(phi0) * np.cos(phi) * np.cos(dlam)
    return DISC_CENTRE_X + DISC_RADIUS * east, DISC_CENTRE_Y - DISC_RADIUS * north, facing


def from_disc(east, north):
    """Point of the unit disc (east right, north up; east² + north² ≤ 1) to
    selenographic latitude and longitude in degrees (numpy arrays)."""
    phi0 = math.radians(CENTRE_LATITUDE)
    towards = np.sqrt(np.clip(1.0 - east * east - north * north, 0.0, None))
    latitude = np.degrees(np.arcsin(np.clip(north * math.cos(phi0) + towards * math.sin(phi0), -1.0, 1.0)))
    longitude = CENTRE_LONGITUDE + np.degrees(
        np.arctan2(east, towards * math.cos(phi0) - north * math.sin(phi0)))
    return latitude, (longitude + 180.0) % 360.0 - 180.0


def circle_outline(latitude, longitude, radius_km, points=72):
    """Points (latitude, longitude arrays in degrees) on the small circle of
    surface radius `radius_km` around a centre."""
    angle = radius_km / MOON_RADIUS_KM                     # radians of arc
    bearing = np.linspace(0.0, 2.0 * math.pi, points, endpoint=False)
    phi = math.radians(latitude)
    lat = np.arcsin(math.sin(phi) * math.cos(angle) + math.cos(phi) * math.sin(angle) * np.cos(bearing))
    lon = math.radians(longitude) + np.arctan2(np.sin(bearing) * math.sin(angle) * math.cos(phi),
                                               math.cos(angle) - math.sin(phi) * np.sin(lat))
    return np.degrees(lat), np.degrees(lon)
