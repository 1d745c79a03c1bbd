// SPDX-License-Identifier: GPL-3.0-or-later
// Makes data/timezones.dat, the time zone boundaries that vesk reads without Node: the product of
// timezone-boundary-builder that keeps apart the zones that differed before 1970 and leaves the
// oceans out ("timezones.geojson", ODbL), as the geo-tz package carries it: a quadtree of cells
// whose leaves are either a list of zones (the whole cell) or the zones' polygons clipped to the
// cell. The same tree is written in a compact binary form (all numbers little-endian):
//
//   "VESKTZ1\n"
//   u32 zone count; per zone: u8 name length, the name (ASCII), f64 area (square degrees of the
//     polygons, each degree of longitude weighted by the cosine of the latitude)
//   u32 tree bytes; the tree, depth first: a node is a byte 0 (no zone: sea), 1 (u16 count, then
//     that many u16 zone indices), 2 (u32 offset and u32 length of its polygons in the polygon
//     block) or 3 (its four quarters follow: a north-east, b north-west, c south-west, d
//     south-east of the cell's middle)
//   the polygon block: per leaf, varint feature count; per feature varint zone index, varint
//     polygon count; per polygon varint ring count (the outer ring, then its holes); per ring
//     varint point count, then the points as zigzag varint differences of longitude and latitude
//     in millionths of a degree, from (0, 0) at each ring's start.
//
// Usage: node make_zone_table.js OUT   (run from anywhere; reads geo-tz beside this file)
'use strict';

const fs = require('fs');
const path = require('path');
const Pbf = require('pbf');
const geobuf = require('geobuf');

const dataDir = path.join(__dirname, 'node_modules', 'geo-tz', 'data');
const index = JSON.parse(fs.readFileSync(path.join(dataDir, 'timezones.geojson.index.json')));
const geoDat = fs.openSync(path.join(dataDir, 'timezones.geojson.geo.dat'), 'r');
const out = process.argv[2];
if (!out) {
    console.error('usage: node make_zone_table.js OUT');
    process.exit(2);
}

const zones = index.timezones;
const zoneNumber = new Map(zones.map((name, i) => [name, i]));
const areas = new Float64Array(zones.length);
const microdegrees = 1e6;

class Bytes {
    constructor() {
        this.chunks = [];
        this.length = 0;
    }
    push(buffer) {
        this.chunks.push(buffer);
        this.length += buffer.length;
    }
    u8(v) {
        this.push(Buffer.from([v]));
    }
    u16(v) {
        const b = Buffer.alloc(2);
        b.writeUInt16LE(v);
        this.push(b);
    }
    u32(v) {
        const b = Buffer.alloc(4);
        b.writeUInt32LE(v);
        this.push(b);
    }
    f64(v) {
        const b = Buffer.alloc(8);
        b.writeDoubleLE(v);
        this.push(b);
    }
    varint(v) {
        const bytes = [];
        while (v >= 0x80) {
            bytes.push((v % 0x80) | 0x80);
            v = Math.floor(v / 0x80);
        }
        bytes.push(v);
        this.push(Buffer.from(bytes));
    }
    zigzag(v) {
        this.varint(v < 0 ? -2 * v - 1 : 2 * v);
    }
    all() {
        return Buffer.concat(this.chunks, this.length);
    }
}

// The shoelace area of a ring, square degrees with longitude shrunk by the cosine of latitude.
function ringArea(ring) {
    let area = 0;
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
        const scale = Math.cos(((ring[i][1] + ring[j][1]) / 2) * Math.PI / 180);
        area += (ring[j][0] - ring[i][0]) * scale * (ring[j][1] + ring[i][1]) / 2;
    }
    return Math.abs(area);
}

const polygons = new Bytes();

function writeLeaf(pos, len) {
    const buffer = Buffer.alloc(len);
    fs.readSync(geoDat, buffer, 0, len, pos);
    const collection = geobuf.decode(new Pbf(buffer));
    const offset = polygons.length;
    const features = collection.features.filter(
        (f) => f.geometry && (f.geometry.type === 'Polygon' || f.geometry.type === 'MultiPolygon'));
    polygons.varint(features.length);
    for (const feature of features) {
        const zone = zoneNumber.get(feature.properties.tzid);
        if (zone === undefined)
            throw new Error('a zone not in the index: ' + feature.properties.tzid);
        const parts = feature.geometry.type === 'Polygon' ? [feature.geometry.coordinates]
                                                          : feature.geometry.coordinates;
        polygons.varint(zone);
        polygons.varint(parts.length);
        for (const rings of parts) {
            polygons.varint(rings.length);
            rings.forEach((ring, k) => {
                areas[zone] += (k === 0 ? 1 : -1) * ringArea(ring);
                polygons.varint(ring.length);
                let lon = 0, lat = 0;
                for (const [x, y] of ring) {
                    const qx = Math.round(x * microdegrees), qy = Math.round(y * microdegrees);
                    polygons.zigzag(qx - lon);
                    polygons.zigzag(qy - lat);
                    lon = qx;
                    lat = qy;
                }
            });
        }
    }
    return [offset, polygons.length - offset];
}

const tree = new Bytes();

function writeNode(node) {
    if (node === undefined || (Array.isArray(node) && node.length === 0)) {
        tree.u8(0);
    } else if (Array.isArray(node)) {
        tree.u8(1);
        tree.u16(node.length);
        for (const zone of node)
            tree.u16(zone);
    } else if (node.pos >= 0 && node.len) {
        const [offset, length] = writeLeaf(node.pos, node.len);
        tree.u8(2);
        tree.u32(offset);
        tree.u32(length);
    } else {
        tree.u8(3);
        for (const quarter of ['a', 'b', 'c', 'd'])
            writeNode(node[quarter]);
    }
}

writeNode(index.lookup);

const file = new Bytes();
file.push(Buffer.from('VESKTZ1\n', 'ascii'));
file.u32(zones.length);
zones.forEach((name, i) => {
    file.u8(name.length);
    file.push(Buffer.from(name, 'ascii'));
    file.f64(areas[i]);
});
file.u32(tree.length);
file.push(tree.all());
file.push(polygons.all());

const temporary = out + '.part';
fs.writeFileSync(temporary, file.all());
fs.renameSync(temporary, out);
console.log(out + ': ' + zones.length + ' zones, ' + file.length + ' bytes');
