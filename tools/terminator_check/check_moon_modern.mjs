// Independent check of the Moon's place against a modern ephemeris: the
// Swiss Ephemeris with its compressed JPL DE431 file (modern_moon_table).
// astronomy-engine's Moon is the same analytic theory as the program's
// (check_accuracy.mjs), so only a modern ephemeris shows the error of the
// theory itself.
//
// Usage (from the top of the tree, after building; needs the Debian packages
// libswe-dev and swe-basic-data):
//   cmake --build build --target report_values_table modern_moon_table
//   cd tools/terminator_check && npm install && node check_moon_modern.mjs [count]
//
// The same instants and sites as check_accuracy.mjs. The program's Moon
// (the reports' functions, report_values_table) as it computes it and with
// its theory given UT + Delta T, against the geometric Moon of DE431 at the
// terrestrial time of the instant (astronomy-engine's Delta T): the
// ecliptic longitude and latitude of the mean equinox of date, the distance,
// and the geocentric azimuth and altitude (the DE431 Moon on the true
// equator of date, turned to the horizon by astronomy-engine's apparent
// sidereal time, no refraction). The longitude is also compared with the
// apparent place (light time and aberration, about 0.7"). Last, for the
// record, astronomy-engine's own Moon against DE431.

import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import {
    accuracySites as sites,
    azimuthOnSky,
    degrees,
    printDifferences,
    programValues,
    reportValues,
    runTable,
    signed,
} from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 400);
const build = path.join(here, "../../build/tools/terminator_check");
const kmPerEarthRadius = 6378.1366;
const arcseconds = 3600;

const { instants, deltaT, rows } = reportValues(path.join(build, "report_values_table"), count);
const modern = runTable(
    path.join(build, "modern_moon_table"),
    instants.map((ut) => `${(Astronomy.MakeTime(ut).tt + 2451545).toFixed(9)}`),
);

const kinds = ["asIs", "withDeltaT"];
const differences = Object.fromEntries(kinds.map((kind) => [kind, {}]));
const push = (kind, key, value) => (differences[kind][key] ??= []).push(value);
const signedDistance = [];
const engineMoon = { lambda: [], beta: [] };

instants.forEach((ut, i) => {
    const [lambda, beta, distanceKm, rightAscension, declination, apparentLambda] = modern[i];
    const time = Astronomy.MakeTime(ut);
    const engine = Astronomy.EclipticGeoMoon(time);
    const engineLambda = engine.lon - Astronomy.e_tilt(time).dpsi / arcseconds;  // mean equinox of date
    engineMoon.lambda.push(Math.abs(signed(engineLambda - lambda)) * arcseconds);
    engineMoon.beta.push(Math.abs(engine.lat - beta) * arcseconds);
    sites.forEach((site, s) => {
        const row = rows[i * sites.length + s];
        const observer = new Astronomy.Observer(site.latitude, site.longitude, 0);
        const horizon = Astronomy.Horizon(time, observer, rightAscension, declination);
        for (const kind of kinds) {
            const p = programValues(row, kind);
            push(kind, "azimuth", azimuthOnSky(p.azimuth, horizon) * arcseconds);
            push(kind, "altitude", Math.abs(p.altitude - horizon.altitude) * arcseconds);
            if (s !== 0) continue;  // the rest does not depend on the site
            push(kind, "lambda", Math.abs(signed(p.lambda - lambda)) * arcseconds);
            push(kind, "apparentLambda", Math.abs(signed(p.lambda - apparentLambda)) * arcseconds);
            push(kind, "beta", Math.abs(p.beta - beta) * arcseconds);
            push(kind, "distance", Math.abs(p.distance * kmPerEarthRadius - distanceKm));
            if (kind === "withDeltaT") signedDistance.push(p.distance * kmPerEarthRadius - distanceKm);
        }
    });
});

const names = {
    lambda: "ecliptic longitude (\")",
    apparentLambda: "ecliptic longitude, apparent place (\")",
    beta: "ecliptic latitude (\")",
    distance: "distance (km)",
    azimuth: "azimuth x cos altitude (\")",
    altitude: "altitude, geocentric (\")",
};
const span =
    `${count} instants 1900-2100 against DE431 (Swiss Ephemeris), ` + `${sites.length} sites for azimuth and altitude`;
printDifferences(`${span}; as the program computes (UT into the theory):`, differences.asIs, names, 2);
console.log();
printDifferences(`${span}; the theory given UT + Delta T:`, differences.withDeltaT, names, 2);
const sorted = [...signedDistance].sort((a, b) => a - b);
console.log();
console.log(
    `Distance, program minus DE431 (km, with Delta T): median ${sorted[Math.floor(sorted.length / 2)].toFixed(1)}, ` +
        `range ${sorted[0].toFixed(1)} .. ${sorted.at(-1).toFixed(1)} (Earth radius ${kmPerEarthRadius} km)`,
);
console.log();
printDifferences("astronomy-engine's Moon against DE431, same instants:", engineMoon, {
    lambda: "ecliptic longitude (\")",
    beta: "ecliptic latitude (\")",
}, 2);
