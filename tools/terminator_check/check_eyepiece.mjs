// Independent check of the window "Mond im Okular": its picture of the Moon
// against a drawing of the lit limb and the terminator made with
// astronomy-engine alone (its Moon and observer vectors, the Sun, the IAU
// rotation model of the Moon, its precession and nutation, and its
// horizontal frame for the zenith), for a crescent, a quarter and a gibbous
// Moon, each in all eight orientations.
//
// Usage (from the top of the tree, after building):
//   cmake --build build --target eyepiece_pictures
//   cd tools/terminator_check && npm install && node check_eyepiece.mjs [picture folder] [program]
//
// The program draws each case as the window shows it, and the same picture
// from an albedo map of one grey (eyepiece_pictures). In that flat picture
// the edge of the light and the limb are found pixel by pixel (where the
// brightness crosses the middle between the night side's earthshine and the
// lit side at the terminator, and between the sky and the night side); the
// script prints how far those edge pixels lie from the independent
// terminator and limb, in pixels, and writes <case>_overlay.ppm: the
// window's picture with the independent terminator (cyan) and lit limb
// (magenta) drawn over it.
//
// The screen's conventions (north up and east left before turning; "Zenit
// oben" turns the zenith's position angle up; "um 180° gedreht" adds 180
// degrees; "gespiegelt" exchanges left and right afterwards) and the
// picture's scale and disc centre are the program's display choices and are
// taken from its output; everything on the sky is computed here.

import fs from "node:fs";
import path from "node:path";
import { execFileSync } from "node:child_process";
import { fileURLToPath } from "node:url";
import * as Astronomy from "astronomy-engine";
import { degrees } from "./check_support.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const folder = path.resolve(process.argv[2] ?? "/tmp/mirelta-eyepiece-check");
const program = process.argv[3] ?? path.join(here, "../../build/tools/terminator_check/eyepiece_pictures");

const KM_PER_AU = 149597870.7;
const MOON_RADIUS_KM = 1738.0;  // the program's; astronomy-engine's mean radius is 1737.4
const ARCSEC_PER_RADIAN = 206264.80624709636;

// Berlin, a waxing crescent in the evening, the first quarter and a gibbous
// Moon; and Cape Town for the southern sky.
const dates = [
    { name: "sichel", mez: [2026, 12, 13, 17, 0], latitude: 52.52, longitude: 13.405 },
    { name: "viertel", mez: [2026, 12, 18, 19, 0], latitude: 52.52, longitude: 13.405 },
    { name: "dreiviertel", mez: [2026, 12, 21, 22, 0], latitude: 52.52, longitude: 13.405 },
    { name: "kapstadt", mez: [2027, 1, 16, 20, 30], latitude: -33.9249, longitude: 18.4241 },
];
const orientations = [];
for (const zenithUp of [0, 1]) for (const mirrored of [0, 1]) for (const rotated of [0, 1]) orientations.push({ zenithUp, mirrored, rotated });

const cases = [];
for (const date of dates)
    for (const o of orientations)
        cases.push({ ...date, ...o, id: `${date.name}_${o.zenithUp ? "zenit" : "nord"}${o.mirrored ? "_gespiegelt" : ""}${o.rotated ? "_180" : ""}` });

fs.mkdirSync(folder, { recursive: true });
const dataFolder = path.join(here, "../../data");
const input = cases.map((c) => `${c.id} ${c.mez.join(" ")} ${c.latitude} ${c.longitude} ${c.zenithUp} ${c.mirrored} ${c.rotated}`).join("\n");
const frames = new Map();
for (const line of execFileSync(program, [dataFolder, folder], { input, stdio: ["pipe", "pipe", "ignore"] }).toString().trim().split("\n")) {
    const [id, cx, cy, scale, up, mirrored, width, height] = line.trim().split(/\s+/);
    frames.set(id, { cx: +cx, cy: +cy, scale: +scale, up: +up, mirrored: +mirrored, width: +width, height: +height });
}

// ------------------------------------------------------------ vectors

const add = (a, b) => [a[0] + b[0], a[1] + b[1], a[2] + b[2]];
const sub = (a, b) => [a[0] - b[0], a[1] - b[1], a[2] - b[2]];
const mul = (f, a) => [f * a[0], f * a[1], f * a[2]];
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
const unit = (a) => mul(1 / Math.hypot(...a), a);
const km = (v) => [v.x * KM_PER_AU, v.y * KM_PER_AU, v.z * KM_PER_AU];
const rotate = (rotation, v) => {
    const r = Astronomy.RotateVector(rotation, new Astronomy.Vector(v[0], v[1], v[2], null));
    return [r.x, r.y, r.z];
};

/// Everything on the sky for one case, in the true equator of date, km.
function sky(c) {
    const [y, m, d, h, min] = c.mez;
    const time = Astronomy.MakeTime(new Date(Date.UTC(y, m - 1, d, h - 1, min)));
    const observer = new Astronomy.Observer(c.latitude, c.longitude, 0);
    const toDate = Astronomy.Rotation_EQJ_EQD(time);
    const moonJ2000 = km(Astronomy.GeoMoon(time));
    const siteJ2000 = km(Astronomy.ObserverVector(time, observer, false));
    const sunJ2000 = km(Astronomy.GeoVector(Astronomy.Body.Sun, time, false));
    const moon = rotate(toDate, sub(moonJ2000, siteJ2000));  // from the site
    const sunFromMoon = unit(rotate(toDate, sub(sunJ2000, moonJ2000)));
    // The Moon's pole in the IAU model, turned to the equator of date.
    const axis = Astronomy.RotationAxis(Astronomy.Body.Moon, time);
    const pole = rotate(toDate, [axis.north.x, axis.north.y, axis.north.z]);
    const zenith = rotate(Astronomy.Rotation_HOR_EQD(time, observer), [0, 0, 1]);
    const centre = unit(moon);
    const east = unit(cross([0, 0, 1], centre));
    const north = cross(centre, east);
    return { moon, sunFromMoon, pole, zenith, centre, east, north };
}

/// The sky offset (arcseconds east and north of the disc's centre) of a
/// point of the Moon given from the Moon's centre, km.
function offsetOf(s, point) {
    const line = add(s.moon, point);
    const depth = dot(line, s.centre);
    return [(dot(line, s.east) / depth) * ARCSEC_PER_RADIAN, (dot(line, s.north) / depth) * ARCSEC_PER_RADIAN];
}

/// The picture's pixel of a sky offset, by the screen's conventions.
function pixelOf(frame, upAngle, offset) {
    const u = upAngle / degrees;
    const eastTurned = offset[0] * Math.cos(u) - offset[1] * Math.sin(u);
    const northTurned = offset[1] * Math.cos(u) + offset[0] * Math.sin(u);
    let right = -eastTurned * frame.scale;
    const down = -northTurned * frame.scale;
    if (frame.mirrored) right = -right;
    return [frame.cx + right, frame.cy + down];
}

/// The lit terminator and the lit limb as dense lists of pixels.
function outlines(c, frame) {
    const s = sky(c);
    const parallactic = Math.atan2(dot(s.zenith, s.east), dot(s.zenith, s.north)) * degrees;
    const upAngle = (c.zenithUp ? parallactic : 0) + (c.rotated ? 180 : 0);
    // Two unit vectors across the Sun's direction span the terminator's circle.
    const a = unit(cross(s.sunFromMoon, s.pole));
    const b = cross(s.sunFromMoon, a);
    const terminator = [];
    const limb = [];
    const circle = [];
    const steps = 7200;
    for (let i = 0; i < steps; ++i) {
        const t = (2 * Math.PI * i) / steps;
        const normal = add(mul(Math.cos(t), a), mul(Math.sin(t), b));
        const point = mul(MOON_RADIUS_KM, normal);
        // Seen from the site when the normal points back toward it.
        if (dot(normal, sub([0, 0, 0], add(s.moon, point))) > 0) terminator.push(pixelOf(frame, upAngle, offsetOf(s, point)));
    }
    // The limb: the circle where the lines of sight touch the sphere, lit
    // where the Sun is above the horizon of that rim point.
    const distance = Math.hypot(...s.moon);
    const rimDepth = -(MOON_RADIUS_KM * MOON_RADIUS_KM) / distance;
    const rimRadius = Math.sqrt(MOON_RADIUS_KM * MOON_RADIUS_KM - rimDepth * rimDepth);
    for (let i = 0; i < steps; ++i) {
        const t = (2 * Math.PI * i) / steps;
        const point = add(mul(rimDepth, s.centre), mul(rimRadius, add(mul(Math.cos(t), s.east), mul(Math.sin(t), s.north))));
        const pixel = pixelOf(frame, upAngle, offsetOf(s, point));
        circle.push(pixel);
        if (dot(unit(point), s.sunFromMoon) > 0) limb.push(pixel);
    }
    return { terminator, limb, circle, parallactic, upAngle, radius: Math.asin(MOON_RADIUS_KM / distance) * ARCSEC_PER_RADIAN * frame.scale };
}

// ------------------------------------------------------------ pictures

function readNetpbm(file) {
    const bytes = fs.readFileSync(file);
    const fields = [];
    let at = 0;
    while (fields.length < 4) {
        while (/\s/.test(String.fromCharCode(bytes[at]))) ++at;
        if (bytes[at] === 35) { while (bytes[at] !== 10) ++at; continue; }  // comment
        let start = at;
        while (!/\s/.test(String.fromCharCode(bytes[at]))) ++at;
        fields.push(bytes.subarray(start, at).toString());
    }
    const [magic, width, height] = [fields[0], +fields[1], +fields[2]];
    return { width, height, channels: magic === "P6" ? 3 : 1, data: bytes.subarray(at + 1) };
}

function writePpm(file, image) {
    fs.writeFileSync(file, Buffer.concat([Buffer.from(`P6\n${image.width} ${image.height}\n255\n`), image.data]));
}

/// Edge pixels of the flat picture: where the light begins inside the disc,
/// and where the lit disc meets the sky.
function edges(flat) {
    const at = (x, y) => flat.data[y * flat.width + x];
    // The night side's level is the darkest one that covers 1 % of the
    // disc; the lit side's level right at the terminator the most common one
    // a few pixels from night pixels.
    const histogram = new Array(256).fill(0);
    for (let i = 0; i < flat.width * flat.height; ++i) histogram[flat.data[i]]++;
    histogram[0] = 0;
    const disc = histogram.reduce((sum, n) => sum + n, 0);
    const night = histogram.findIndex((n) => n > 0.01 * disc);
    const mode = (h) => h.reduce((best, n, v) => (n > h[best] ? v : best), 0);
    const nearNight = new Array(256).fill(0);
    for (let y = 4; y < flat.height - 4; ++y)
        for (let x = 4; x < flat.width - 4; ++x) {
            if (Math.abs(at(x, y) - night) > 1) continue;
            for (const [dx, dy] of [[4, 0], [-4, 0], [0, 4], [0, -4]]) {
                const v = at(x + dx, y + dy);
                if (v > night + 20) nearNight[v]++;
            }
        }
    const lit = mode(nearNight);
    const lightEdge = (night + lit) / 2;
    const rimEdge = night / 2;
    const terminator = [], limb = [];
    for (let y = 1; y < flat.height - 1; ++y)
        for (let x = 1; x < flat.width - 1; ++x) {
            const v = at(x, y);
            const neighbours = [at(x - 1, y), at(x + 1, y), at(x, y - 1), at(x, y + 1)];
            if (v >= rimEdge && neighbours.some((n) => n < rimEdge)) {
                // The lit part of the limb only: light on the disc's side.
                if (Math.max(...neighbours) >= lightEdge) limb.push([x + 0.5, y + 0.5]);
                continue;
            }
            // Pixels within two of the sky belong to the blended rim.
            let nearSky = false;
            for (let dy = -2; dy <= 2; ++dy)
                for (let dx = -2; dx <= 2; ++dx) {
                    const xx = Math.min(Math.max(x + dx, 0), flat.width - 1), yy = Math.min(Math.max(y + dy, 0), flat.height - 1);
                    if (at(xx, yy) < rimEdge) nearSky = true;
                }
            if (nearSky) continue;
            if (v >= lightEdge && neighbours.some((n) => n < lightEdge)) terminator.push([x + 0.5, y + 0.5]);
        }
    return { terminator, limb, night, lit };
}

function nearest(points, p) {
    let best = Infinity;
    for (const q of points) best = Math.min(best, Math.hypot(q[0] - p[0], q[1] - p[1]));
    return best;
}

function quantile(values, q) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted.length ? sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))] : NaN;
}

function draw(image, points, colour) {
    for (const [x, y] of points) {
        const px = Math.round(x - 0.5), py = Math.round(y - 0.5);
        if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
        image.data.set(colour, (py * image.width + px) * 3);
    }
}

console.log(`picture folder: ${folder}`);
console.log("case                              terminator px: median   95 %    max | limb px: median    max | up angle diff");
const all = { terminator: [], limb: [] };
for (const c of cases) {
    const frame = frames.get(c.id);
    const reference = outlines(c, frame);
    const flat = readNetpbm(path.join(folder, `${c.id}_flat.pgm`));
    const found = edges(flat);
    const terminatorDistances = found.terminator.map((p) => nearest(reference.terminator, p));
    const limbDistances = found.limb.map((p) => nearest(reference.circle, p));
    all.terminator.push(...terminatorDistances);
    all.limb.push(...limbDistances);
    const upDifference = ((frame.up - reference.upAngle + 540) % 360) - 180;
    console.log(
        `${c.id.padEnd(34)} ${quantile(terminatorDistances, 0.5).toFixed(2).padStart(8)} ${quantile(terminatorDistances, 0.95).toFixed(2).padStart(6)} ${Math.max(...terminatorDistances).toFixed(2).padStart(6)} |` +
            ` ${quantile(limbDistances, 0.5).toFixed(2).padStart(8)} ${Math.max(...limbDistances).toFixed(2).padStart(6)} | ${upDifference.toFixed(3)}°`,
    );
    const view = readNetpbm(path.join(folder, `${c.id}_view.ppm`));
    draw(view, reference.limb, [255, 0, 255]);
    draw(view, reference.terminator, [0, 255, 255]);
    writePpm(path.join(folder, `${c.id}_overlay.ppm`), view);
}
console.log(
    `all cases: terminator median ${quantile(all.terminator, 0.5).toFixed(2)} px, 95 % ${quantile(all.terminator, 0.95).toFixed(2)} px, max ${Math.max(...all.terminator).toFixed(2)} px;` +
        ` lit limb median ${quantile(all.limb, 0.5).toFixed(2)} px, max ${Math.max(...all.limb).toFixed(2)} px`,
);
