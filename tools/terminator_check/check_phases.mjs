// Independent check of the Moon's phases and age against astronomy-engine:
// every new moon, first quarter, full moon and last quarter from 1900 to
// 2100 (SearchMoonQuarter), and the Moon's age (the time since the last new
// moon of SearchMoonPhase) at 4000 seeded random minutes of those years.
// The program's values come from lunar_phase_table, which calls
// NextPhaseInstant, PreviousNewMoon, MoonAge and DeltaTSeconds.
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target lunar_phase_table
//   cd tools/terminator_check && npm install && node check_phases.mjs [count] [table program]
//
// Prints median, 95th percentile and largest absolute difference: phase
// instants in minutes (each kind, and 1900-2000 apart from 2000-2100), the
// age in days, Delta T in seconds. Ends with status 1 when a phase is more
// than 2 minutes or an age more than 0.05 days off.

import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import { deltaTSeconds, mezText, printDifferences, randomInstant, runTable } from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 4000);
const table = process.argv[3] ?? path.join(here, "../../build/tools/terminator_check/lunar_phase_table");

const julianDateOfUnixEpoch = 2440587.5;
const julianDate = (date) => date.getTime() / 86400000 + julianDateOfUnixEpoch;
const minutesPerDay = 1440;
const phaseNames = ["new moon", "first quarter", "full moon", "last quarter"];

// Every quarter of astronomy-engine from 1900 to 2100.
const quarters = [];
let quarter = Astronomy.SearchMoonQuarter(new Date(Date.UTC(1900, 0, 1)));
while (quarter.time.date < new Date(Date.UTC(2100, 0, 1))) {
    quarters.push({ kind: quarter.quarter, jd: julianDate(quarter.time.date), year: quarter.time.date.getUTCFullYear() });
    quarter = Astronomy.NextMoonQuarter(quarter);
}

// The program is asked for the next phase of that kind from a day before
// the reference instant, and for the last new moon from a day after each
// reference new moon.
const lines = [];
for (const q of quarters) lines.push(`next ${(q.jd - 1).toFixed(8)} ${q.kind}`);
const newMoons = quarters.filter((q) => q.kind === 0);
for (const q of newMoons) lines.push(`previous ${(q.jd + 1).toFixed(8)}`);

function lastNewMoon(date) {
    let found = Astronomy.SearchMoonPhase(0, Astronomy.MakeTime(date).AddDays(-31), 31);
    for (;;) {
        const next = Astronomy.SearchMoonPhase(0, found.AddDays(1), 31);
        if (next.ut > Astronomy.MakeTime(date).ut) return found;
        found = next;
    }
}
const instants = [];
for (let i = 0; i < count; ++i) instants.push(randomInstant(1900, 2100));
for (const ut of instants) lines.push(`age ${mezText(ut)}`);
const years = [];
for (let y = 1900; y <= 2100; y += 0.5) years.push(y);
for (const y of years) lines.push(`deltat ${y}`);

const answers = runTable(table, lines).map((row) => row[0]);
let at = 0;
const differences = {};
const push = (key, value) => (differences[key] ??= []).push(value);
const signedSeconds = [];  // program minus astronomy-engine
for (const q of quarters) {
    signedSeconds.push((answers[at] - q.jd) * 86400);
    const minutes = Math.abs(answers[at++] - q.jd) * minutesPerDay;
    push(`phase${q.kind}`, minutes);
    push(q.year < 2000 ? "before2000" : "from2000", minutes);
    push("allPhases", minutes);
}
for (const q of newMoons) push("previous", Math.abs(answers[at++] - q.jd) * minutesPerDay);
for (const ut of instants) {
    const reference = (julianDate(ut) - julianDate(lastNewMoon(ut).date));
    push("age", Math.abs(answers[at++] - reference));
}
for (const y of years) {
    // astronomy-engine's Delta T at the middle of that decimal year's day.
    const date = new Date(Date.UTC(2000, 0, 1, 12) + (y - 2000) * 365.25 * 86400000);
    push("deltaT", Math.abs(answers[at++] - deltaTSeconds(date)));
}

console.log(`${quarters.length} phases 1900-2100, ${count} ages; program: ${table}`);
printDifferences("Phase instants, minutes", differences, {
    phase0: "new moon",
    phase1: "first quarter",
    phase2: "full moon",
    phase3: "last quarter",
    before2000: "all phases 1900-1999",
    from2000: "all phases 2000-2099",
    allPhases: "all phases",
    previous: "last new moon (PreviousNewMoon)",
}, 3);
const sortedSigned = [...signedSeconds].sort((a, b) => a - b);
console.log(`signed, program minus astronomy-engine: median ${sortedSigned[sortedSigned.length >> 1].toFixed(1)} s`);
printDifferences("Moon's age (MoonAge), days", differences, { age: "age" }, 5);
printDifferences("Delta T, seconds", differences, { deltaT: "Delta T (DeltaTSeconds)" }, 3);

const worstPhase = Math.max(...differences.allPhases, ...differences.previous);
const worstAge = Math.max(...differences.age);
if (worstPhase > 2 || worstAge > 0.05) {
    console.log(`FAILED: a phase ${worstPhase.toFixed(3)} min or an age ${worstAge.toFixed(5)} d off`);
    process.exit(1);
}
console.log("Every phase within 2 minutes and every age within 0.05 days.");
