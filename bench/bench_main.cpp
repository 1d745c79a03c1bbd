// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmarks draw text, which needs a GUI application (the offscreen platform will do).
#include "qt_draw_surface.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    vesk::clearUpperVectorRegisters(); // as the programs do
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
