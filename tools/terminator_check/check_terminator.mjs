// Independent check of the Sun over the Moon (astronomy/sun_over_formation.h)
// against a modern ephemeris: astronomy-engine's Sun (VSOP87), Moon and the
// IAU rotation model of the Moon (RotationAxis), which together give the
// subsolar selenographic point without any of the program's routines.
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target sun_over_moon_table
//   cd tools/terminator_check && npm install && node check_terminator.mjs [count] [table program]
//
// Prints the median, 95th percentile and largest difference of the subsolar
// longitude (= the terminator's longitude), the colongitude and the subsolar
// latitude, and of the libration (sub-Earth point) for comparison.

import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import { mezText, printDifferences, randomInstant, runTable, selenographic, signed } from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 400);
const table = process.argv[3] ?? path.join(here, "../../build/tools/terminator_check/sun_over_moon_table");

// Whole minutes of universal time between 1900 and 2100.
const instants = [];
for (let i = 0; i < count; ++i) instants.push(randomInstant(1900, 2100));
const rows = runTable(table, instants.map(mezText));

const differences = { longitude: [], colongitude: [], latitude: [], librationL: [], librationB: [] };
instants.forEach((ut, i) => {
    const [l0, bs, colongitude, , librationL, librationB] = rows[i];
    const time = Astronomy.MakeTime(ut);
    const sun = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
    const moon = Astronomy.GeoMoon(time);
    const axis = Astronomy.RotationAxis(Astronomy.Body.Moon, time);
    const subsolar = selenographic({ x: sun.x - moon.x, y: sun.y - moon.y, z: sun.z - moon.z }, axis);
    const subEarth = selenographic({ x: -moon.x, y: -moon.y, z: -moon.z }, axis);
    const modernColongitude = (((90 - subsolar.longitude) % 360) + 360) % 360;
    differences.longitude.push(Math.abs(signed(l0 - subsolar.longitude)));
    differences.colongitude.push(Math.abs(signed(colongitude - modernColongitude)));
    differences.latitude.push(Math.abs(bs - subsolar.latitude));
    differences.librationL.push(Math.abs(signed(librationL - subEarth.longitude)));
    differences.librationB.push(Math.abs(librationB - subEarth.latitude));
});

printDifferences(`${count} instants, 1900-2100 (UT), differences in degrees:`, differences, {
    longitude: "subsolar longitude (term.)",
    colongitude: "colongitude",
    latitude: "subsolar latitude",
    librationL: "libration in longitude",
    librationB: "libration in latitude",
});
