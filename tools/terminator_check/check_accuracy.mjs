// Independent check of everything the reports show, against astronomy-engine:
// the Moon's place (report "Mondposition"), the physical ephemerides (report
// "Physische Ephemeriden") and the Moon's age (report "Sichtverhältnisse").
// The program's values come from report_values_table, which runs the
// reports' own functions in the reports' order.
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target report_values_table
//   cd tools/terminator_check && npm install && node check_accuracy.mjs [count] [table program]
//
// The same 400 seeded random instants 1900-2100 as check_terminator.mjs,
// each at five sites. Every quantity is compared twice: as the program
// computes it (universal time into theories that want terrestrial time) and
// with the theories given UT + Delta T (astronomy-engine's Delta T), which
// leaves the error of the theories alone. Prints median, 95th percentile and
// largest absolute difference.
//
// What the reference is, quantity by quantity:
// - the Moon's ecliptic longitude, latitude and distance: astronomy-engine's
//   Moon (EclipticGeoMoon), turned from the true to the mean equinox of date
//   as the program gives it. This Moon is the same analytic theory as the
//   program's (Montenbruck & Pfleger's series after the Improved Lunar
//   Ephemeris), so with Delta T the differences show only how faithfully
//   the two implement it; the accuracy of the theory itself needs a modern
//   ephemeris (check_moon_modern.mjs).
// - azimuth and altitude: that Moon on the true equator of date, turned to
//   the horizon with astronomy-engine's apparent sidereal time, geocentric
//   like the program's, no refraction. The topocentric altitude (what the
//   observer sees before refraction) is compared for information.
// - libration and position angle: (a) astronomy-engine's Libration (the same
//   method of Meeus, ch. 53, with its Moon) and (b) the IAU rotation model
//   of the Moon (RotationAxis): the sub-Earth point, and the position angle
//   of the model's pole at the Moon's place on the true equator of date.
// - the Sun's selenographic latitude (the report's Bs) and the colongitude
//   (the subsolar point seen from the Moon, as everything but the report uses):
//   the subsolar point of the IAU model, with astronomy-engine's Sun
//   (VSOP87) and Moon.
// - the Moon's age: the time since the last true new moon
//   (SearchMoonPhase), signed: a negative difference is an age too short.

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
    selenographic,
    signed,
} from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 400);
const table = process.argv[3] ?? path.join(here, "../../build/tools/terminator_check/report_values_table");

const kmPerEarthRadius = 6378.1366;
const synodicMonth = 29.530588853;
const arcseconds = 3600;

const { instants, deltaT, rows } = reportValues(table, count);

/// The position angle of the direction `pole` at the place `body`, both
/// vectors of the same equator, degrees 0..360 from north through east.
function positionAngle(pole, body) {
    const p = Astronomy.EquatorFromVector(pole), b = Astronomy.EquatorFromVector(body);
    const dra = (p.ra - b.ra) * 15 / degrees, dp = p.dec / degrees, db = b.dec / degrees;
    const angle = Math.atan2(
        Math.cos(dp) * Math.sin(dra),
        Math.sin(dp) * Math.cos(db) - Math.cos(dp) * Math.sin(db) * Math.cos(dra),
    );
    return (angle * degrees + 360) % 360;
}

function lastNewMoon(time) {
    let found = Astronomy.SearchMoonPhase(0, time.AddDays(-31), 31);
    for (;;) {
        const next = Astronomy.SearchMoonPhase(0, found.AddDays(1), 31);
        if (next.ut > time.ut) return found;
        found = next;
    }
}

// The reference of one instant: everything that does not depend on the site.
function reference(ut) {
    const time = Astronomy.MakeTime(ut);
    const ecliptic = Astronomy.EclipticGeoMoon(time);
    const moonJ2000 = Astronomy.GeoMoon(time);
    const toDate = Astronomy.Rotation_EQJ_EQD(time);
    const moonOfDate = Astronomy.RotateVector(toDate, moonJ2000);
    const sun = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
    const axis = Astronomy.RotationAxis(Astronomy.Body.Moon, time);
    const subsolar = selenographic({ x: sun.x - moonJ2000.x, y: sun.y - moonJ2000.y, z: sun.z - moonJ2000.z }, axis);
    const subEarth = selenographic({ x: -moonJ2000.x, y: -moonJ2000.y, z: -moonJ2000.z }, axis);
    const libration = Astronomy.Libration(time);
    return {
        time,
        lambda: ecliptic.lon - Astronomy.e_tilt(time).dpsi / arcseconds,  // mean equinox of date
        beta: ecliptic.lat,
        distanceKm: ecliptic.dist * Astronomy.KM_PER_AU,
        moonOfDate: Astronomy.EquatorFromVector(moonOfDate),
        librationL: libration.elon,
        librationB: libration.elat,
        iauL: subEarth.longitude,
        iauB: subEarth.latitude,
        iauP: positionAngle(Astronomy.RotateVector(toDate, axis.north), moonOfDate),
        sunLatitude: subsolar.latitude,
        colongitude: (((90 - subsolar.longitude) % 360) + 360) % 360,
        age: time.ut - lastNewMoon(time).ut,
    };
}

const kinds = ["asIs", "withDeltaT"];
const differences = Object.fromEntries(kinds.map((kind) => [kind, {}]));
const push = (kind, key, value) => (differences[kind][key] ??= []).push(value);
const ageDifferences = [];
const recentLongitude = [];  // as computed, instants 2015-2035: the lag of universal time today
const recentDeltaT = [];
const parallax = [];
const librationBOffset = { asIs: [], withDeltaT: [] };  // signed: the two models' axes differ

instants.forEach((ut, i) => {
    const ref = reference(ut);
    sites.forEach((site, s) => {
        const row = rows[i * sites.length + s];
        const observer = new Astronomy.Observer(site.latitude, site.longitude, 0);
        const horizon = Astronomy.Horizon(ref.time, observer, ref.moonOfDate.ra, ref.moonOfDate.dec);
        const topocentric = Astronomy.Equator(Astronomy.Body.Moon, ref.time, observer, true, false);
        const seen = Astronomy.Horizon(ref.time, observer, topocentric.ra, topocentric.dec);
        parallax.push(horizon.altitude - seen.altitude);
        kinds.forEach((kind, k) => {
            const p = programValues(row, kind);
            push(kind, "azimuth", azimuthOnSky(p.azimuth, horizon) * arcseconds);
            push(kind, "altitude", Math.abs(p.altitude - horizon.altitude) * arcseconds);
        });
        if (s !== 0) return;  // the rest does not depend on the site

        kinds.forEach((kind, k) => {
            const p = programValues(row, kind);
            push(kind, "lambda", Math.abs(signed(p.lambda - ref.lambda)) * arcseconds);
            push(kind, "beta", Math.abs(p.beta - ref.beta) * arcseconds);
            push(kind, "distance", Math.abs(p.distance * kmPerEarthRadius - ref.distanceKm));
            push(kind, "librationL", Math.abs(signed(p.librationL - ref.librationL)) * arcseconds);
            push(kind, "librationB", Math.abs(p.librationB - ref.librationB) * arcseconds);
            push(kind, "iauL", Math.abs(signed(p.librationL - ref.iauL)) * arcseconds);
            push(kind, "iauB", Math.abs(p.librationB - ref.iauB) * arcseconds);
            librationBOffset[kind].push((p.librationB - ref.iauB) * arcseconds);
            push(kind, "iauP", Math.abs(signed(p.positionAngle - ref.iauP)) * arcseconds);
            push(kind, "sunLatitude", Math.abs(p.sunLatitude - ref.sunLatitude) * arcseconds);
            push(kind, "colongitude", Math.abs(signed(p.colongitude - ref.colongitude)));
        });
        const programAge = programValues(row, "asIs").age;
        let ageDifference = programAge - ref.age;
        if (ageDifference > synodicMonth / 2) ageDifference -= synodicMonth;
        if (ageDifference < -synodicMonth / 2) ageDifference += synodicMonth;
        ageDifferences.push(ageDifference * 24);
        if (ut.getUTCFullYear() >= 2015 && ut.getUTCFullYear() < 2035) {
            recentLongitude.push(signed(programValues(row, "asIs").lambda - ref.lambda) * arcseconds);
            recentDeltaT.push(deltaT[i]);
        }
    });
});

const names = {
    lambda: "Moon: ecliptic longitude (\")",
    beta: "Moon: ecliptic latitude (\")",
    distance: "Moon: distance (km)",
    azimuth: "azimuth x cos altitude (\")",
    altitude: "altitude, geocentric (\")",
    librationL: "libration L vs Libration() (\")",
    librationB: "libration B vs Libration() (\")",
    iauL: "libration L vs IAU model (\")",
    iauB: "libration B vs IAU model (\")",
    iauP: "position angle P vs IAU model (\")",
    sunLatitude: "Sun's selenogr. latitude (\")",
    colongitude: "colongitude, Sun seen from the Moon (deg)",
};
const span = `${count} instants 1900-2100, ${sites.length} sites for azimuth and altitude`;
printDifferences(`${span}; as the program computes (UT into the theories):`, differences.asIs, names, 2);
console.log();
printDifferences(`${span}; the theories given UT + Delta T:`, differences.withDeltaT, names, 2);

const sorted = (v) => [...v].sort((a, b) => a - b);
const median = (v) => sorted(v)[Math.floor(v.length / 2)];
const ageLimit95 = sorted(ageDifferences.map(Math.abs))[Math.floor(0.95 * ageDifferences.length)];
const lagPerSecond = median(recentLongitude.map((l, i) => l / recentDeltaT[i]));
const refraction = (altitude) => Astronomy.Refraction("normal", altitude).toFixed(3);
console.log();
console.log(
    `Moon's age, program minus time since the true new moon (hours): median ${median(ageDifferences).toFixed(1)}, ` +
        `range ${sorted(ageDifferences)[0].toFixed(1)} .. ${sorted(ageDifferences).at(-1).toFixed(1)}, ` +
        `95 % of |difference| within ${ageLimit95.toFixed(1)}`,
);
console.log(
    `Ecliptic longitude as computed, ${recentLongitude.length} instants 2015-2035: ` +
        `median ${median(recentLongitude).toFixed(1)}" (Delta T median ${median(recentDeltaT).toFixed(1)} s); ` +
        `${lagPerSecond.toFixed(3)}" per second of Delta T`,
);
for (const kind of kinds) {
    const offsets = sorted(librationBOffset[kind]);
    console.log(
        `Libration B minus IAU model (${kind}): median ${median(offsets).toFixed(1)}", ` +
            `range ${offsets[0].toFixed(1)}" .. ${offsets.at(-1).toFixed(1)}"`,
    );
}
console.log(
    `Geocentric minus topocentric altitude (parallax): median ${median(parallax).toFixed(3)} deg, ` +
        `largest ${sorted(parallax).at(-1).toFixed(3)} deg; ` +
        `refraction at the horizon ${refraction(0)} deg, at 10 deg ${refraction(10)} deg`,
);
