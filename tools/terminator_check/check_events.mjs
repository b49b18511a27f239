// Independent check of the Moon's events as mirelta --ereignisse lists
// them (observing/moon_events.h) against astronomy-engine: rise and set with
// SearchRiseSet (the upper limb, 34' of refraction, the observer's
// parallax, sea level), the culmination with SearchHourAngle (the upper
// transit) and the altitude there from its topocentric Moon without
// refraction, the principal phases with SearchMoonQuarter. (Every quarter
// from 1900 to 2100 is compared by check_phases.mjs.)
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target moon_events_table
//   cd tools/terminator_check && npm install && node check_events.mjs [days] [polar] [table program]
//
// Random MEZ days 1900-2100 at random sites between 60 S and 65 N and at the
// accuracy sites; with "polar", at sites from 65 to 89.9 degrees north and
// south instead, where the Moon often neither rises nor sets. Prints the median, 95th percentile and largest difference
// of each kind of event in minutes (the culmination's altitude in degrees),
// and the events found by only one side (near-grazing rises and sets in the
// far north and south), which are listed.

import path from "node:path";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import { accuracySites, printDifferences, random, runTable } from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const count = Number(process.argv[2] ?? 2000);
const polar = process.argv[3] === "polar";
const table = process.argv[4] ?? path.join(here, "../../build/tools/terminator_check/moon_events_table");

const kinds = ["rise", "culmination", "set", "new moon", "first quarter", "full moon", "last quarter"];
const julianDate = (date) => date.getTime() / 86400000 + 2440587.5;

// Whole MEZ days: a random day and site each.
const cases = [];
for (let i = 0; i < count; ++i) {
    const day = new Date(Date.UTC(1900, 0, 1) + Math.floor(random() * 73048) * 86400000);
    let site;
    if (polar) site = { latitude: (random() < 0.5 ? -1 : 1) * (65 + 24.9 * random()), longitude: -180 + 360 * random() };
    else if (i % 4 === 0) site = accuracySites[(i / 4) % accuracySites.length];
    else site = { latitude: -60 + 125 * random(), longitude: -180 + 360 * random() };
    cases.push({ day, ...site });
}
const rows = runTable(
    table,
    cases.map(
        ({ day, latitude, longitude }) =>
            `${day.getUTCFullYear()} ${day.getUTCMonth() + 1} ${day.getUTCDate()} ${latitude} ${longitude}`,
    ),
);

/// astronomy-engine's events of one MEZ day: [kind, julian date UT, altitude].
function referenceEvents({ day, latitude, longitude }) {
    const observer = new Astronomy.Observer(latitude, longitude, 0);
    const start = Astronomy.MakeTime(new Date(day.getTime() - 3600000));  // 0:00 MEZ
    const end = start.AddDays(1);
    const events = [];
    const collect = (kind, search) => {
        let from = start;
        for (;;) {
            const found = search(from);
            if (!found || found.ut >= end.ut) return;
            events.push([kind, found.ut + 2451545.0, found]);
            from = found.AddDays(0.01);
        }
    };
    collect(0, (from) => Astronomy.SearchRiseSet(Astronomy.Body.Moon, observer, +1, from, end.ut - from.ut));
    collect(2, (from) => Astronomy.SearchRiseSet(Astronomy.Body.Moon, observer, -1, from, end.ut - from.ut));
    collect(1, (from) => {
        const transit = Astronomy.SearchHourAngle(Astronomy.Body.Moon, observer, 0, from);
        return transit.time;
    });
    let quarter = Astronomy.SearchMoonQuarter(start);
    while (quarter.time.ut < end.ut) {
        events.push([3 + quarter.quarter, quarter.time.ut + 2451545.0, quarter.time]);
        quarter = Astronomy.NextMoonQuarter(quarter);
    }
    return events.map(([kind, jd, time]) => {
        if (kind !== 1) return [kind, jd, NaN];
        const place = Astronomy.Equator(Astronomy.Body.Moon, time, observer, true, true);
        return [kind, jd, Astronomy.Horizon(time, observer, place.ra, place.dec).altitude];
    });
}

const differences = { rise: [], culmination: [], set: [], altitude: [], phase: [] };
const unmatched = [];
cases.forEach((c, i) => {
    const row = rows[i];
    const program = [];
    for (let k = 0; k < row[0]; ++k) program.push(row.slice(1 + 3 * k, 4 + 3 * k));
    const reference = referenceEvents(c);
    const used = new Set();
    for (const [kind, jd, altitude] of program) {
        let best = -1;
        reference.forEach(([rk, rjd], r) => {
            if (rk === kind && !used.has(r) && (best < 0 || Math.abs(rjd - jd) < Math.abs(reference[best][1] - jd)))
                best = r;
        });
        if (best < 0 || Math.abs(reference[best][1] - jd) * 1440 > 30) {
            unmatched.push(`program only: ${kinds[kind]} JD ${jd.toFixed(5)} at ${c.latitude.toFixed(2)}, ${c.longitude.toFixed(2)}`);
            continue;
        }
        used.add(best);
        differences[kind >= 3 ? "phase" : kinds[kind]].push(Math.abs(reference[best][1] - jd) * 1440);
        if (kind === 1) differences.altitude.push(Math.abs(reference[best][2] - altitude));
    }
    reference.forEach(([kind, jd], r) => {
        if (!used.has(r))
            unmatched.push(`reference only: ${kinds[kind]} JD ${jd.toFixed(5)} at ${c.latitude.toFixed(2)}, ${c.longitude.toFixed(2)}`);
    });
});

printDifferences(`${count} MEZ days and ${polar ? "polar " : ""}sites, 1900-2100: differences in minutes (altitude in degrees)`, differences, {
    rise: "rise (upper limb, 34')",
    culmination: "upper culmination",
    set: "set",
    altitude: "altitude at culmination",
    phase: "principal phases",
});
const matched = Object.entries(differences).filter(([key]) => key !== "altitude").reduce((n, [, v]) => n + v.length, 0);
console.log(`matched events: ${matched}`);
console.log(`found by one side only: ${unmatched.length}`);
for (const line of unmatched) console.log(`  ${line}`);
