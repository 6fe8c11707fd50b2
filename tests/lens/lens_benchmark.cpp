// How long one mouse move takes while the lens is dragged with 50 stored rays:
// the handler erases and retraces all of them, then the repair draws what
// stays again where they crossed it. Read the median; nothing here is asserted.
#include "lens/lens_form.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void DragLensWithFiftyRays(benchmark::State& state)
{
    lens_form form;
    form.show();
    QApplication::processEvents();
    for (int i = 0; i < lens_form::kMaxEntries; ++i) {
        const float y = -100 + 4.0f * i;
        form.Picture1_MouseMove(0, 0, 300, y);
        form.Picture1_MouseDown(1, 0, 300, y);
        form.Picture1_MouseUp(1, 0, 300, y);
    }
    form.Picture1_MouseMove(0, 0, 490, 0);
    form.Picture1_MouseDown(1, 0, 490, 0);
    float x = 490;
    for (auto _ : state) {
        x = x > 700 ? 490 : x + 1;
        form.Picture1_MouseMove(1, 0, x, 0);
        QApplication::processEvents();
    }
    state.counters["rays"] = form.RayCount;
}
BENCHMARK(DragLensWithFiftyRays)->Unit(benchmark::kMicrosecond);

} // namespace
