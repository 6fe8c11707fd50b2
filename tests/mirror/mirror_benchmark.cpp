// How long one mouse move takes while the object point is dragged with 50
// stored rays and 50 marked pairs: everything the handler names is erased and
// redrawn. Run it and read the median; nothing here is asserted.
#include "mirror/sp_form.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void fill(sp_form& form)
{
    form.RayCount = 0;
    for (int i = 0; i < sp_form::kMaxEntries; ++i) {
        form.Picture1_MouseDown(1, 0, 500, -240 + 9.6f * i);
        form.Picture1_MouseUp(1, 0, 500, -240 + 9.6f * i);
    }
    form.ImageCount = sp_form::kMaxEntries;
    for (int i = 0; i < sp_form::kMaxEntries; ++i) {
        form.ImageX[i] = 450 + i;
        form.ImageY[i] = -100 + 4 * i;
        form.ImageObjX[i] = 100;
        form.ImageObjY[i] = 100;
    }
    form.MarkPending = 0;
}

void DragObjectWithFiftyRaysAndPairs(benchmark::State& state)
{
    sp_form form;
    form.show();
    QApplication::processEvents();
    float y = 100;
    for (auto _ : state) {
        state.PauseTiming();
        fill(form);
        form.DragMode = 1;
        y = y > 200 ? 100 : y + 1;
        state.ResumeTiming();
        form.Picture1_MouseMove(1, 0, 100, y);
    }
}
BENCHMARK(DragObjectWithFiftyRaysAndPairs)->Unit(benchmark::kMicrosecond);

} // namespace
