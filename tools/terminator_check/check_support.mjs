// What the independent checks share: a seeded random sequence, angle
// helpers, the MEZ text of an instant, and the table of differences.

import { execFileSync } from "node:child_process";

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
    return `${mez.getUTCFullYear()} ${mez.getUTCMonth() + 1} ${mez.getUTCDate()} ${mez.getUTCHours()} ${mez.getUTCMinutes()}`;
}

/// Runs a table program on the lines and returns its rows as numbers.
export function runTable(program, lines) {
    return execFileSync(program, { input: lines.join("\n") })
        .toString()
        .trim()
        .split("\n")
        .map((line) => line.split(" ").map(Number));
}

function quantile(values, q) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
}

/// Prints median, 95th percentile and largest of each list of differences.
export function printDifferences(title, differences, names) {
    console.log(title);
    console.log("quantity                      median     95 %      max");
    for (const [key, label] of Object.entries(names)) {
        const v = differences[key];
        console.log(
            `${label.padEnd(28)} ${quantile(v, 0.5).toFixed(4).padStart(8)} ${quantile(v, 0.95).toFixed(4).padStart(8)} ${Math.max(...v).toFixed(4).padStart(8)}`,
        );
    }
}
