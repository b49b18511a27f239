// Independent check of the Sun above the site's horizon
// (observing/sun_at_site.h) against a modern ephemeris: astronomy-engine's
// Sun (VSOP87), its nutation and sidereal time and its Horizon() without
// refraction.
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target sun_at_site_table
//   cd tools/terminator_check && npm install && node check_sun_altitude.mjs [count] [table program]
//
// Prints the median, 95th percentile and largest difference of the
// altitude, the azimuth (times the cosine of the altitude: the distance on
// the sky), the right ascension and the declination.

import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import {
    azimuthOnSky,
    degrees,
    mezText,
    printDifferences,
    random,
    randomInstant,
    runTable,
    signed,
} from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 400);
const table = process.argv[3] ?? path.join(here, "../../build/tools/terminator_check/sun_at_site_table");

// Instants 1950-2050, sites between 60 S and 65 N.
const cases = [];
for (let i = 0; i < count; ++i)
    cases.push({ ut: randomInstant(1950, 2050), latitude: -60 + 125 * random(), longitude: -180 + 360 * random() });
const rows = runTable(
    table,
    cases.map(({ ut, latitude, longitude }) => `${mezText(ut)} ${latitude} ${longitude}`),
);

const differences = { altitude: [], azimuth: [], rightAscension: [], declination: [] };
cases.forEach(({ ut, latitude, longitude }, i) => {
    const [ra, dec, azimuthFromSouth, altitude] = rows[i];
    const time = Astronomy.MakeTime(ut);
    // Geocentric (as the program: no parallax), true equator and equinox of
    // date, with aberration.
    const j2000 = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
    const sun = Astronomy.EquatorFromVector(Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), j2000));
    const horizon = Astronomy.Horizon(time, new Astronomy.Observer(latitude, longitude, 0), sun.ra, sun.dec);
    differences.altitude.push(Math.abs(altitude - horizon.altitude));
    differences.azimuth.push(azimuthOnSky(azimuthFromSouth, horizon));
    differences.rightAscension.push(Math.abs(signed(ra - sun.ra * 15)) * Math.cos(sun.dec / degrees));
    differences.declination.push(Math.abs(dec - sun.dec));
});

printDifferences(`${count} instants and sites, 1950-2050 (UT), differences in degrees:`, differences, {
    altitude: "altitude",
    azimuth: "azimuth (x cos altitude)",
    rightAscension: "right ascension (x cos dec)",
    declination: "declination",
});
