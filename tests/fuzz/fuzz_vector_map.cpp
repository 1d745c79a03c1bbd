// SPDX-License-Identifier: GPL-3.0-or-later
// A coast-line file of the vector map (".cbd", the segment format of the CIA World Data Bank II)
// in any bytes, drawn on the globe and on Mercator at whole-globe and regional scales.
#include "../recording_surface.h"
#include "base_map.h"
#include "fuzz_support.h"
#include "redraw_pipeline.h"

using namespace vesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // the first of the files drawn; the next one is missing, which ends the drawing
    fuzzing::writeScratchFile("as_cil.cbd", data, size);
    const DataPaths paths{{fuzzing::scratchDir()}};
    for (const Projection projection : {Projection::globe, Projection::mercator}) {
        for (const MapRange range : {MapRange::globe, MapRange::centred}) {
            testing::RecordingSurface surface;
            ViewSettings view;
            view.projection = projection;
            view.baseMap = BaseMapKind::vector;
            view.mapRange = range;
            view.magnification = 30; // of the regional range
            const MapLayout layout = layoutView(view, surface.width(), surface.height());
            MapProjection projectionState;
            setMapCentre(projectionState, layout, 135, 35);
            MapCanvas canvas{surface, projectionState, view, layout};
            drawMapBackground(canvas, ReliefData{}, paths);
        }
    }
    return 0;
}
