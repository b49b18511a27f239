// Simulated shadow transit timings of lunar peaks, computed from
// astronomy-engine alone, as the independent reference for the height meter.
//
// The observer's measurement: the drive is off, the Moon drifts across a
// reticle line fixed along an hour circle (north-south on the sky), and the
// watch runs from the lit summit crossing the line to the far end of its
// shadow crossing it. Here the geometry is built in space: a summit h above a
// spherical Moon (radius 1738 km), the Sun's ray grazing it continued to the
// sphere (the shadow's tip), both points seen from the site, and the instant
// at which the tip reaches the hour angle the summit had is found by root
// finding with everything (Earth's rotation, the Moon's and the Sun's motion,
// libration) recomputed at every trial instant.
//
// Usage (from this folder):
//   npm ci && node simulate_timings.mjs [--compare-corrections]
//
// Writes shadow_timings.csv beside this file, prints the counts of made and
// kept cases, the reasons for the dropped ones, the distributions of t and
// of the Sun's altitude, and the Copernicus check case. The self-checks
// (tip on the sphere and on the Sun's line, zero height gives zero time,
// time grows with height, body frame against Libration()) end the script
// with status 1 when they fail.

import { readFileSync, writeFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";

const here = path.dirname(fileURLToPath(import.meta.url));
const catalogueFile = path.join(here, "../../data/objects.dat");
const outputFile = path.join(here, "shadow_timings.csv");
const compareCorrections = process.argv.includes("--compare-corrections");

const moonRadiusKm = 1738;
const kmPerAu = Astronomy.KM_PER_AU;
const lightKmPerSecond = 299792.458;
const degrees = 180 / Math.PI;
const arcseconds = 3600 * degrees;
const secondsPerDay = 86400;

// The light-time and aberration corrections, switchable to measure their
// effect on the timings (--compare-corrections).
const corrections = { moonLightTime: true, sunAberration: true };

// ---------------------------------------------------------------- vectors

const add = (a, b) => [a[0] + b[0], a[1] + b[1], a[2] + b[2]];
const sub = (a, b) => [a[0] - b[0], a[1] - b[1], a[2] - b[2]];
const scale = (a, k) => [a[0] * k, a[1] * k, a[2] * k];
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
const norm = (a) => Math.sqrt(dot(a, a));
const unit = (a) => scale(a, 1 / norm(a));
const kmVector = (v) => [v.x * kmPerAu, v.y * kmPerAu, v.z * kmPerAu];
const fromLatLon = (lat, lon) => {
    const b = lat / degrees, l = lon / degrees;
    return [Math.cos(b) * Math.cos(l), Math.cos(b) * Math.sin(l), Math.sin(b)];
};
/// An angle in degrees reduced into [-180, 180).
const wrap = (a) => ((((a + 180) % 360) + 360) % 360) - 180;
const angleBetween = (a, b) => Math.atan2(norm(cross(a, b)), dot(a, b)) * degrees;

// ------------------------------------------------------------ the Moon's frame

/// The Moon's body-fixed axes (x: prime meridian, z: north pole) as J2000
/// equatorial unit vectors, from the IAU pole and prime meridian angle: the
/// meridian lies W degrees east of the node of the Moon's equator on the
/// J2000 equator, which itself lies at right ascension ra0 + 90 degrees.
function moonFrame(axis) {
    const ra = axis.ra * 15 / degrees, dec = axis.dec / degrees, w = axis.spin / degrees;
    const pole = [Math.cos(dec) * Math.cos(ra), Math.cos(dec) * Math.sin(ra), Math.sin(dec)];
    const node = [-Math.sin(ra), Math.cos(ra), 0];
    const x = add(scale(node, Math.cos(w)), scale(cross(pole, node), Math.sin(w)));
    const y = cross(pole, x);
    return {
        x, y, z: pole,
        toJ2000: (v) => add(add(scale(x, v[0]), scale(y, v[1])), scale(pole, v[2])),
        selenographic: (v) => {
            const b = [dot(v, x), dot(v, y), dot(v, pole)];
            return { lat: Math.asin(b[2] / norm(b)) * degrees, lon: Math.atan2(b[1], b[0]) * degrees };
        },
    };
}

// ------------------------------------------------------------ the sky at an instant

/// Everything the geometry needs at one instant (universal time) for one
/// site, in km and J2000 equatorial axes with the Earth's centre at the
/// origin. The Moon, its orientation and the Sun's direction from it are
/// taken at the instant the light left the Moon.
function skyAt(time, site) {
    const observer = kmVector(Astronomy.ObserverVector(time, site.observer, false));
    let emitted = time;
    if (corrections.moonLightTime) {
        const distance = norm(sub(kmVector(Astronomy.GeoMoon(time)), observer));
        emitted = time.AddDays(-distance / lightKmPerSecond / secondsPerDay);
    }
    const moon = kmVector(Astronomy.GeoMoon(emitted));
    const sun = kmVector(Astronomy.GeoVector(Astronomy.Body.Sun, emitted, corrections.sunAberration));
    const axis = Astronomy.RotationAxis(Astronomy.Body.Moon, emitted);
    const toDate = Astronomy.Rotation_EQJ_EQD(time);
    const localSiderealDegrees = Astronomy.SiderealTime(time) * 15 + site.lon;
    return { time, site, observer, moon, sun, axis, frame: moonFrame(axis), toDate, localSiderealDegrees };
}

/// A J2000 geocentric point as seen from the site, in the true equator of
/// date: unit direction, right ascension, declination and hour angle (deg).
function seenFromSite(sky, point) {
    const v = kmVector(Astronomy.RotateVector(sky.toDate, new Astronomy.Vector(...sub(point, sky.observer).map((c) => c / kmPerAu), sky.time)));
    const direction = unit(v);
    const ra = Math.atan2(direction[1], direction[0]) * degrees;
    const dec = Math.asin(direction[2]) * degrees;
    return { direction, distance: norm(v), ra, dec, hourAngle: wrap(sky.localSiderealDegrees - ra) };
}

/// Offsets of a direction from the centre direction on the tangent plane,
/// arcseconds east and north (true equator of date).
function tangentOffsets(centre, direction) {
    const a = Math.atan2(centre[1], centre[0]);
    const d = Math.asin(centre[2]);
    const east = [-Math.sin(a), Math.cos(a), 0];
    const north = [-Math.sin(d) * Math.cos(a), -Math.sin(d) * Math.sin(a), Math.cos(d)];
    const along = dot(direction, centre);
    return { e: (dot(direction, east) / along) * arcseconds, n: (dot(direction, north) / along) * arcseconds };
}

// ------------------------------------------------------------ the peak and its shadow

/// The summit of a peak heightKm above the sphere at the formation, the
/// Sun's altitude over its horizon and the tip of its shadow: the Sun's
/// ray through the summit, continued away from the Sun, where it first meets
/// the sphere. status: "tip", "dark" (the Moon hides the Sun from the
/// summit) or "night" (the ray passes over the limb into the night).
function shadowOf(sky, formation, heightKm) {
    const normal = sky.frame.toJ2000(fromLatLon(formation.lat, formation.lon));
    const fromCentre = scale(normal, moonRadiusKm + heightKm);
    const summit = add(sky.moon, fromCentre);
    const towardSun = unit(sub(sky.sun, summit));
    const sunAltitude = Math.asin(dot(normal, towardSun)) * degrees;
    // |fromCentre - s * towardSun| = R: s^2 - 2 b s + c = 0, s > 0 away from the Sun.
    const b = dot(fromCentre, towardSun);
    const c = dot(fromCentre, fromCentre) - moonRadiusKm * moonRadiusKm;
    const discriminant = b * b - c;
    if (b < 0 && discriminant >= 0) return { status: "dark", summit, normal, towardSun, sunAltitude };
    if (discriminant < 0) return { status: "night", summit, normal, towardSun, sunAltitude };
    // The nearer root, in the form that stays exact for a summit on the sphere.
    const s = c / (b + Math.sqrt(discriminant));
    const tip = sub(summit, scale(towardSun, s));
    return { status: "tip", summit, tip, normal, towardSun, sunAltitude };
}

/// The signed time (s) from the summit crossing the hour circle it has at
/// the instant of sky0 to the shadow's tip crossing the same hour circle:
/// secant iteration on the tip's hour angle, the whole sky recomputed at
/// every trial instant.
function tipCrossing(sky0, formation, heightKm) {
    const target = seenFromSite(sky0, shadowOf(sky0, formation, heightKm).summit).hourAngle;
    const offset = (seconds) => {
        const sky = seconds === 0 ? sky0 : skyAt(sky0.time.AddDays(seconds / secondsPerDay), sky0.site);
        const shadow = shadowOf(sky, formation, heightKm);
        if (shadow.status !== "tip") throw new Error("the shadow's tip vanished while it drifted to the line");
        return wrap(seenFromSite(sky, shadow.tip).hourAngle - target);
    };
    let t0 = 0, f0 = offset(0);
    if (f0 === 0) return 0;
    // The hour angle grows by about 14.5" a second (sidereal rate less the Moon's own motion).
    let t1 = -f0 / (14.5 / 3600), f1 = offset(t1);
    for (let i = 0; i < 30; ++i) {
        if (f1 === f0) return t1;
        const t2 = t1 - (f1 * (t1 - t0)) / (f1 - f0);
        t0 = t1; f0 = f1;
        t1 = t2; f1 = offset(t1);
        if (Math.abs(t1 - t0) < 1e-9) return t1;
    }
    throw new Error("the tip crossing did not converge");
}

// ------------------------------------------------------------ the cases

/// Formation name -> selenographic latitude and longitude (deg, east
/// positive) from the program's catalogue (Windows-1252, 12 lines a record:
/// four map coordinates, name, latitude, longitude, height, kind, two
/// descriptions, flag; decimals with ',').
function readCatalogue(file) {
    const lines = new TextDecoder("windows-1252").decode(readFileSync(file)).split(/\r?\n/);
    const places = new Map();
    for (let i = 0; i + 11 < lines.length; i += 12) {
        const lat = Number(lines[i + 5].replace(",", "."));
        const lon = Number(lines[i + 6].replace(",", "."));
        if (!Number.isFinite(lat) || !Number.isFinite(lon)) throw new Error(`${file}: record at line ${i + 1} has no position`);
        places.set(lines[i + 4], { lat, lon });
    }
    return places;
}

const formationNames = [
    "Copernicus", "Plato", "Tycho", "Mons Piton", "Mons Pico", "Theophilus", "Clavius", "Aristoteles",
    "Gassendi", "Langrenus", "Posidonius", "Aristarchus", "Grimaldi", "Proclus", "Petavius", "Schickard",
    "Mons Hadley", "Epigenes", "Pentland", "Dubyago",
];
const heightsM = [1000, 2000, 3000, 4000, 5000];
const sites = [
    { name: "Berlin", lat: 52.52, lon: 13.405 },
    { name: "Madrid", lat: 40.4168, lon: -3.7038 },
].map((s) => ({ ...s, observer: new Astronomy.Observer(s.lat, s.lon, 0) }));

const mezOffsetDays = 1 / 24;
/// Universal time of a moment in MEZ (UT + 1 h).
const fromMez = (year, month, day, hour, minute) =>
    Astronomy.MakeTime(new Date(Date.UTC(year, month - 1, day, hour, minute) - 3600000));
/// "D.M.YYYY" and "H:MM" of a universal time in MEZ.
function mezText(time) {
    const mez = new Date(Math.round((time.ut + mezOffsetDays) * secondsPerDay) * 1000 + Date.UTC(2000, 0, 1, 12));
    return {
        date: `${mez.getUTCDate()}.${mez.getUTCMonth() + 1}.${mez.getUTCFullYear()}`,
        time: `${mez.getUTCHours()}:${String(mez.getUTCMinutes()).padStart(2, "0")}`,
    };
}

const limits = { moonAltitude: 5, fromSubObserver: 80, longestTransit: 5 };

const failures = [];
function check(condition, message) {
    if (!condition) failures.push(message);
}

/// One moment at one site for every formation and height: the rows of the
/// kept cases and the reason for each dropped one.
function simulateMoment(time, site, catalogue, tally, rows) {
    const sky = skyAt(time, site);
    const centre = seenFromSite(sky, sky.moon);
    const moonHorizon = Astronomy.Horizon(time, site.observer, centre.ra / 15, centre.dec);
    const made = formationNames.length * heightsM.length;
    tally.made += made;
    if (moonHorizon.altitude < limits.moonAltitude) {
        tally.dropped["Moon below 5 degrees at the site"] += made;
        return;
    }
    const towardSite = unit(sub(sky.observer, sky.moon));
    const semidiameter = Math.asin(moonRadiusKm / centre.distance) * arcseconds;
    const pole = tangentOffsets(centre.direction, seenFromSite(sky, add(sky.moon, scale(sky.frame.z, moonRadiusKm))).direction);
    const axisPa = (Math.atan2(pole.e, pole.n) * degrees + 360) % 360;
    const { date, time: clock } = mezText(time);

    for (const name of formationNames) {
        const formation = catalogue.get(name);
        const foot = sky.frame.toJ2000(fromLatLon(formation.lat, formation.lon));
        if (angleBetween(foot, towardSite) > limits.fromSubObserver) {
            tally.dropped["more than 80 degrees from the sub-observer point"] += heightsM.length;
            continue;
        }
        // Zero height: where the foot is lit, the tip is the summit and the time is zero.
        if (shadowOf(sky, formation, 0).status === "tip") {
            const flat = tipCrossing(sky, formation, 0);
            check(Math.abs(flat) < 1e-9, `${name} ${date} ${clock} ${site.name}: zero height gives ${flat} s`);
        }
        const times = [];
        for (const heightM of heightsM) {
            const shadow = shadowOf(sky, formation, heightM / 1000);
            if (shadow.status === "dark") {
                tally.dropped["summit not sunlit"]++;
                continue;
            }
            if (shadow.status === "night") {
                tally.dropped["shadow falls into the night (no tip)"]++;
                continue;
            }
            const onSphere = Math.abs(norm(sub(shadow.tip, sky.moon)) - moonRadiusKm);
            const fromRay = norm(cross(sub(shadow.tip, shadow.summit), shadow.towardSun));
            const behindSummit = dot(sub(shadow.tip, shadow.summit), shadow.towardSun);
            check(onSphere < 1e-6 && fromRay < 1e-6 && behindSummit <= 0,
                `${name} ${date} ${clock} ${heightM} m: tip ${onSphere} km off the sphere, ${fromRay} km off the ray`);
            const signed = tipCrossing(sky, formation, heightM / 1000);
            times.push({ heightM, transit: Math.abs(signed) });
            if (dot(sub(shadow.tip, sky.moon), sub(sky.observer, shadow.tip)) <= 0) {
                tally.dropped["tip behind the limb"]++;
                continue;
            }
            if (!(Math.abs(signed) > 0 && Math.abs(signed) <= limits.longestTransit)) {
                tally.dropped["t outside 0 < t <= 5 s"]++;
                continue;
            }
            const summitSeen = tangentOffsets(centre.direction, seenFromSite(sky, shadow.summit).direction);
            const tipSeen = tangentOffsets(centre.direction, seenFromSite(sky, shadow.tip).direction);
            rows.push({
                date, time: clock, site: site.name, siteLat: site.lat, siteLon: site.lon, name,
                objLat: formation.lat, objLon: formation.lon, heightM, transit: Math.abs(signed), signed,
                sunAltitude: shadow.sunAltitude, moonAltitude: moonHorizon.altitude,
                summit: summitSeen, tip: tipSeen, semidiameter, axisPa, jd: time.ut + 2451545,
            });
            tally.kept++;
        }
        tally.groups += times.length > 0;
        for (let i = 1; i < times.length; ++i) {
            check(times[i].transit > times[i - 1].transit,
                `${name} ${date} ${clock} ${site.name}: t(${times[i].heightM} m) = ${times[i].transit} s <= t(${times[i - 1].heightM} m) = ${times[i - 1].transit} s`);
        }
    }
}

/// The body frame against astronomy-engine's own sub-Earth point.
function frameCheck(time) {
    const sky = skyAt(time, sites[0]);
    const moon = kmVector(Astronomy.GeoMoon(time));
    const frame = moonFrame(Astronomy.RotationAxis(Astronomy.Body.Moon, time));
    const subEarth = frame.selenographic(scale(moon, -1));
    const libration = Astronomy.Libration(time);
    const north = sky.axis.north;
    return {
        lon: Math.abs(wrap(subEarth.lon - libration.elon)),
        lat: Math.abs(subEarth.lat - libration.elat),
        pole: angleBetween(frame.z, [north.x, north.y, north.z]),
    };
}

const percentiles = (values, ps) => {
    const sorted = [...values].sort((a, b) => a - b);
    return ps.map((p) => sorted[Math.min(sorted.length - 1, Math.floor((p / 100) * sorted.length))]);
};
const fixed = (x, n) => x.toFixed(n);

function simulateAll(catalogue) {
    const tally = {
        made: 0, kept: 0, groups: 0,
        dropped: {
            "Moon below 5 degrees at the site": 0,
            "more than 80 degrees from the sub-observer point": 0,
            "summit not sunlit": 0,
            "shadow falls into the night (no tip)": 0,
            "tip behind the limb": 0,
            "t outside 0 < t <= 5 s": 0,
        },
    };
    const rows = [];
    const start = fromMez(2026, 12, 1, 0, 0);
    const frameDeviation = { lon: 0, lat: 0, pole: 0 };
    for (let step = 0; step < 59 * 4; ++step) {
        const time = start.AddDays(step / 4);
        const deviation = frameCheck(time);
        for (const key of Object.keys(frameDeviation)) frameDeviation[key] = Math.max(frameDeviation[key], deviation[key]);
        for (const site of sites) simulateMoment(time, site, catalogue, tally, rows);
    }
    return { tally, rows, frameDeviation };
}

function writeTable(rows) {
    const header = "date;time;site;site_lat;site_lon;object;obj_lat;obj_lon;height_m;transit_s;signed_s;sun_alt_deg;moon_alt_deg;summit_e;summit_n;tip_e;tip_n;semidiameter;axis_pa;jd_ut";
    const lines = rows.map((r) => [
        r.date, r.time, r.site, fixed(r.siteLat, 4), fixed(r.siteLon, 4), r.name, fixed(r.objLat, 4), fixed(r.objLon, 4),
        r.heightM, fixed(r.transit, 6), fixed(r.signed, 6), fixed(r.sunAltitude, 4), fixed(r.moonAltitude, 3),
        fixed(r.summit.e, 3), fixed(r.summit.n, 3), fixed(r.tip.e, 3), fixed(r.tip.n, 3), fixed(r.semidiameter, 3),
        fixed(r.axisPa, 4), fixed(r.jd, 8),
    ].join(";"));
    writeFileSync(outputFile, [header, ...lines].join("\n") + "\n");
}

function checkCase(catalogue) {
    const berlin = sites[0];
    const copernicus = catalogue.get("Copernicus");
    const time = fromMez(2026, 12, 18, 16, 35);
    const sky = skyAt(time, berlin);
    const shadow = shadowOf(sky, copernicus, 3.8);
    const centre = seenFromSite(sky, sky.moon);
    const moonAltitude = Astronomy.Horizon(time, berlin.observer, centre.ra / 15, centre.dec).altitude;
    const signed = tipCrossing(sky, copernicus, 3.8);
    console.log(`Check case: Copernicus (${copernicus.lat} N, ${copernicus.lon} E), 3800 m, 18.12.2026 16:35 MEZ, Berlin:`);
    console.log(`  t = ${fixed(Math.abs(signed), 6)} s (tip ${signed > 0 ? "after" : "before"} the summit), ` +
        `Sun ${fixed(shadow.sunAltitude, 4)} deg over the summit, Moon ${fixed(moonAltitude, 3)} deg high`);
    check(shadow.status === "tip", "check case: no shadow tip");
    return Math.abs(signed);
}

function main() {
    const catalogue = readCatalogue(catalogueFile);
    for (const name of formationNames) if (!catalogue.has(name)) throw new Error(`${name} is not in ${catalogueFile}`);

    checkCase(catalogue);
    const { tally, rows, frameDeviation } = simulateAll(catalogue);
    writeTable(rows);

    console.log(`Cases made: ${tally.made}, kept: ${tally.kept} (in ${tally.groups} formation/moment/site groups with a tip)`);
    for (const [reason, count] of Object.entries(tally.dropped)) console.log(`  dropped, ${reason}: ${count}`);
    const ps = [0, 5, 25, 50, 75, 95, 100];
    console.log(`Percentiles ${ps.join("/")}:`);
    console.log(`  t (s):             ${percentiles(rows.map((r) => r.transit), ps).map((x) => fixed(x, 3)).join("  ")}`);
    console.log(`  Sun altitude (deg): ${percentiles(rows.map((r) => r.sunAltitude), ps).map((x) => fixed(x, 2)).join("  ")}`);
    const bins = [0, 0.1, 0.5, 1, 2, 3, 5];
    const counts = bins.slice(1).map((top, i) => `${bins[i]}-${top} s: ${rows.filter((r) => r.transit > bins[i] && r.transit <= top).length}`);
    console.log(`  t in ${counts.join(", ")}`);
    const after = rows.filter((r) => r.signed > 0).length;
    console.log(`  tip after the summit in ${after} cases, before it in ${rows.length - after}`);
    console.log(`Body frame against Libration(): sub-Earth longitude ${fixed(frameDeviation.lon, 4)} deg, ` +
        `latitude ${fixed(frameDeviation.lat, 4)} deg at most; pole against RotationAxis().north ${frameDeviation.pole.toExponential(2)} deg`);
    check(frameDeviation.lon < 0.05 && frameDeviation.lat < 0.05, "body frame and Libration() disagree by more than 0.05 deg");
    check(frameDeviation.pole < 1e-6, "pole built from ra/dec differs from RotationAxis().north");
    console.log(`Wrote ${rows.length} rows to ${path.relative(process.cwd(), outputFile) || outputFile}`);

    if (compareCorrections) compareWithoutCorrections(catalogue, rows);

    if (failures.length > 0) {
        console.error(`${failures.length} self-checks failed, the first ones:`);
        for (const f of failures.slice(0, 20)) console.error(`  ${f}`);
        process.exit(1);
    }
    console.log("All self-checks passed.");
}

/// How much the Moon's light time and the Sun's aberration move the
/// timings: every kept case recomputed without each correction.
function compareWithoutCorrections(catalogue, rows) {
    for (const key of Object.keys(corrections)) {
        corrections[key] = false;
        const ratios = rows.map((r) => {
            const site = sites.find((s) => s.name === r.site);
            const sky = skyAt(new Astronomy.AstroTime(r.jd - 2451545), site);
            return Math.abs(tipCrossing(sky, catalogue.get(r.name), r.heightM / 1000)) / r.transit - 1;
        });
        corrections[key] = true;
        const ps = percentiles(ratios.map(Math.abs), [50, 95, 100]);
        console.log(`Without ${key}: |relative change of t| median ${ps[0].toExponential(2)}, 95 % ${ps[1].toExponential(2)}, max ${ps[2].toExponential(2)}`);
    }
}

main();
