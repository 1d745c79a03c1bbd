// SPDX-License-Identifier: GPL-3.0-or-later
// Random points on land with the zones geo-tz gives there, for the test that compares vesk's
// reading of data/timezones.dat with the package: COUNT points spread evenly over the sphere
// (from a seeded generator, the same every run), kept where the package gives a zone of land
// (not Etc/...). One line a point: "LON LAT ZONE[,ZONE...]".
//
// Usage: node sample_zones.js COUNT SEED
'use strict';

const path = require('path');
const geoTz = require(path.join(__dirname, 'node_modules', 'geo-tz', 'dist', 'find-all.js'));

const count = Number(process.argv[2]);
let seed = Number(process.argv[3]) >>> 0;
if (!(count > 0) || process.argv[3] === undefined) {
    console.error('usage: node sample_zones.js COUNT SEED');
    process.exit(2);
}

// mulberry32: a small generator of uniform numbers in [0, 1)
function random() {
    seed = (seed + 0x6d2b79f5) >>> 0;
    let t = seed;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}

const lines = [];
while (lines.length < count) {
    const lon = 360 * random() - 180;
    const lat = Math.asin(2 * random() - 1) * 180 / Math.PI;
    const zones = geoTz.find(lat, lon);
    if (zones.length > 0 && !zones.some((zone) => zone.startsWith('Etc/')))
        lines.push(String(lon) + ' ' + String(lat) + ' ' + zones.join(','));
}
process.stdout.write(lines.join('\n') + '\n');
