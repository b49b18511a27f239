// Times astronomy-engine's chain for the quantities of the program's
// ephemeris chain (bench/astronomy_bench, BM_Chain/EphemerisChain): the Moon's
// geocentric right ascension, declination and distance (true equator of
// date), the Sun's position, the libration, the position angle of the axis,
// the subsolar point seen from the Moon, and the Moon's altitude and
// azimuth at the site; and, as "reports", the same without the axis and the
// subsolar point (BM_Chain/ReportsEphemerisChain). Every call is a new minute, as
// in the benchmark.
//
// Usage: node time_ephemeris_chain.mjs [repetitions] [calls]
// Prints the median of the repetitions, in ns of processor time per chain:
//   "chain <median>" and "reports <median>".

import * as Astronomy from "astronomy-engine";
import { selenographic } from "./check_support.mjs";

const repetitions = Number(process.argv[2] ?? 5);
const calls = Number(process.argv[3] ?? 100000);
const observer = new Astronomy.Observer(50.0, 10.0, 0);
const start = Date.UTC(2003, 2, 1, 19, 0);

function reports(i) {
    const time = Astronomy.MakeTime(new Date(start + (i % (28 * 24 * 60)) * 60000));
    const moon = Astronomy.GeoMoon(time);
    const equator = Astronomy.EquatorFromVector(Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), moon));
    const sun = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
    const libration = Astronomy.Libration(time);
    const horizon = Astronomy.Horizon(time, observer, equator.ra, equator.dec);
    return equator.dec + sun.x + libration.elon + horizon.altitude;
}

function chain(i) {
    const time = Astronomy.MakeTime(new Date(start + (i % (28 * 24 * 60)) * 60000));
    const moon = Astronomy.GeoMoon(time);
    const equator = Astronomy.EquatorFromVector(Astronomy.RotateVector(Astronomy.Rotation_EQJ_EQD(time), moon));
    const sun = Astronomy.GeoVector(Astronomy.Body.Sun, time, true);
    const libration = Astronomy.Libration(time);
    const axis = Astronomy.RotationAxis(Astronomy.Body.Moon, time);
    const subsolar = selenographic({ x: sun.x - moon.x, y: sun.y - moon.y, z: sun.z - moon.z }, axis);
    // Position angle of the pole: its direction projected on the sky at the Moon.
    const m = Math.hypot(moon.x, moon.y, moon.z);
    const u = { x: moon.x / m, y: moon.y / m, z: moon.z / m };
    const east = { x: -u.y, y: u.x, z: 0 };
    const north = { x: -u.z * u.x, y: -u.z * u.y, z: u.x * u.x + u.y * u.y };
    const n = axis.north;
    const axisAngle = Math.atan2(n.x * east.x + n.y * east.y, n.x * north.x + n.y * north.y + n.z * north.z);
    const horizon = Astronomy.Horizon(time, observer, equator.ra, equator.dec);
    return equator.dec + libration.elon + subsolar.longitude + axisAngle + horizon.altitude;
}

let sink = 0;
/// The median processor time of one call of `run`, ns.
function time(run) {
    for (let i = 0; i < 20000; ++i) sink += run(i);  // warm up the compiler
    const perCall = [];
    for (let r = 0; r < repetitions; ++r) {
        const before = process.cpuUsage();
        for (let i = 0; i < calls; ++i) sink += run(i + r * calls);
        const used = process.cpuUsage(before);
        perCall.push(((used.user + used.system) * 1000) / calls);
    }
    perCall.sort((a, b) => a - b);
    return perCall[Math.floor(repetitions / 2)];
}
console.log(`chain ${time(chain).toFixed(0)}`);
console.log(`reports ${time(reports).toFixed(0)}`);
if (!Number.isFinite(sink)) process.exit(1);
