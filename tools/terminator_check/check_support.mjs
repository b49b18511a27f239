// What the independent checks share: a seeded random sequence, angle
// helpers, the MEZ text of an instant, the selenographic place of a
// direction in the IAU model of the Moon, and the table of differences.

import { execFileSync } from "node:child_process";
import * as Astronomy from "astronomy-engine";

/// A fixed seed, so that every run checks the same instants.
let seed = 20030315;
export function random() {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
}

export const degrees = 180 / Math.PI;

/// An angle in degrees reduced into [-180, 180).
export const signed = (a) => ((((a + 180) % 360) + 360) % 360) - 180;

/// A random whole minute of universal time between two years.
export function randomInstant(firstYear, endYear) {
    const start = Date.UTC(firstYear, 0, 1);
    const end = Date.UTC(endYear, 0, 1);
    return new Date(start + Math.floor((random() * (end - start)) / 60000) * 60000);
}

/// "year month day hour minute" of the instant in MEZ = UT + 1 h, as the
/// program's table programs read it.
export function mezText(ut) {
    const mez = new Date(ut.getTime() + 3600000);
    const date = `${mez.getUTCFullYear()} ${mez.getUTCMonth() + 1} ${mez.getUTCDate()}`;
    return `${date} ${mez.getUTCHours()} ${mez.getUTCMinutes()}`;
}

/// A J2000 equatorial vector in the Moon's body-fixed frame of the IAU model
/// (astronomy-engine's RotationAxis): R3(W) R1(90 - dec0) R3(90 + ra0), as
/// latitude and longitude in degrees.
export function selenographic(v, axis) {
    const rotZ = (p, angle) => {
        const c = Math.cos(angle / degrees), s = Math.sin(angle / degrees);
        return [c * p[0] + s * p[1], -s * p[0] + c * p[1], p[2]];
    };
    const rotX = (p, angle) => {
        const c = Math.cos(angle / degrees), s = Math.sin(angle / degrees);
        return [p[0], c * p[1] + s * p[2], -s * p[1] + c * p[2]];
    };
    const b = rotZ(rotX(rotZ([v.x, v.y, v.z], 90 + axis.ra * 15), 90 - axis.dec), axis.spin);
    const r = Math.hypot(b[0], b[1], b[2]);
    return { latitude: Math.asin(b[2] / r) * degrees, longitude: Math.atan2(b[1], b[0]) * degrees };
}

/// The distance on the sky, degrees, between an azimuth counted from the
/// south through west (the program's) and astronomy-engine's horizontal
/// coordinates (azimuth from the north through east): the difference of the
/// azimuths times the cosine of the altitude.
export function azimuthOnSky(azimuthFromSouth, horizon) {
    const reference = (horizon.azimuth + 180) % 360;
    return Math.abs(signed(azimuthFromSouth - reference)) * Math.cos(horizon.altitude / degrees);
}

/// The sites of the accuracy checks: three shipped sites, the Alps' south
/// side and one far south, for the azimuth's quadrants.
export const accuracySites = [
    { name: "Flensburg", latitude: 54.7937, longitude: 9.447 },
    { name: "Berlin", latitude: 52.52, longitude: 13.405 },
    { name: "Wien", latitude: 48.2082, longitude: 16.3738 },
    { name: "Lugano", latitude: 46.0037, longitude: 8.9511 },
    { name: "Kapstadt", latitude: -33.9249, longitude: 18.4241 },
];

/// Terrestrial minus universal time at the instant, seconds, as
/// astronomy-engine has it.
export function deltaTSeconds(ut) {
    const time = Astronomy.MakeTime(ut);
    return (time.tt - time.ut) * 86400;
}

/// The accuracy checks' instants (`count` seeded random minutes 1900-2100,
/// the terminator check's), their Delta T, and report_values_table's rows
/// for every instant at every site (row i * accuracySites.length + s).
export function reportValues(table, count) {
    const instants = [];
    for (let i = 0; i < count; ++i) instants.push(randomInstant(1900, 2100));
    const deltaT = instants.map(deltaTSeconds);
    const lines = [];
    instants.forEach((ut, i) => {
        for (const site of accuracySites) lines.push(`${mezText(ut)} ${site.latitude} ${site.longitude} ${deltaT[i]}`);
    });
    return { instants, deltaT, rows: runTable(table, lines) };
}

/// One half of a row of report_values_table: "asIs" as the program computes,
/// "withDeltaT" with the theories given terrestrial time.
export function programValues(row, kind) {
    const v = row.slice(kind === "asIs" ? 0 : 14);
    return {
        lambda: v[0], beta: v[1], distance: v[2], rightAscension: v[3], declination: v[4],
        azimuth: v[5], altitude: v[6], librationL: v[7], librationB: v[8], positionAngle: v[9],
        sunLatitude: v[11], colongitude: v[12], age: kind === "asIs" ? v[13] : undefined,
    };
}

/// Runs a table program on the lines and returns its rows as numbers.
export function runTable(program, lines) {
    return execFileSync(program, { input: lines.join("\n") })
        .toString()
        .trim()
        .split("\n")
        .map((line) => line.trim().split(/\s+/).map(Number));
}

function quantile(values, q) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
}

/// Prints median, 95th percentile and largest of each list of differences,
/// with `digits` decimals.
export function printDifferences(title, differences, names, digits = 4) {
    console.log(title);
    console.log(`${"quantity".padEnd(36)}   median     95 %      max`);
    for (const [key, label] of Object.entries(names)) {
        const v = differences[key];
        const column = (x) => x.toFixed(digits).padStart(8);
        const columns = [quantile(v, 0.5), quantile(v, 0.95), Math.max(...v)].map(column).join(" ");
        console.log(`${label.padEnd(36)} ${columns}`);
    }
}
