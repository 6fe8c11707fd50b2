// The kit's two heaviest handlers: redrawing six elements with 50 stored rays
// (every change erases and retraces them all), and dragging an element in
// point-grid mode with 50 marked points (250 rays made and traced per move,
// with every image mark found anew). Read the medians; nothing is asserted.
#include "kit/bk_form.h"
#include "tests/kit/kit_window_support.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// Five lenses and the eye, as far as they fit.
void buildSystem(bk_form& form)
{
    for (kit::Kind kind : {kit::Kind::Converging, kit::Kind::Diverging, kit::Kind::Converging,
                           kit::Kind::Diverging, kit::Kind::Converging, kit::Kind::Eye})
        kitwin::add(form, kind);
}

void RedrawSixElementsWithFiftyRays(benchmark::State& state)
{
    bk_form form;
    form.show();
    QApplication::processEvents();
    buildSystem(form);
    for (int i = 0; i < 50; ++i)
        kitwin::click(form, 300, -100 + 4.0 * i);
    for (auto _ : state) {
        form.EraseAll();
        form.RedrawAll();
    }
    state.counters["rays"] = form.system().RayCount;
}
BENCHMARK(RedrawSixElementsWithFiftyRays)->Unit(benchmark::kMicrosecond);

void DragAnElementWithFiftyMarkedPoints(benchmark::State& state)
{
    bk_form form;
    form.show();
    QApplication::processEvents();
    buildSystem(form);
    kitwin::chooseObject(form, kit::ObjectMode::PointGrid);
    for (int i = 0; i < 50; ++i)
        kitwin::click(form, 60 + 20 * (i % 10), -100 + 20 * (i / 10));
    const double middle = (form.system().ElemX[3] + form.system().ElemX[4]) / 2;
    kitwin::move(form, middle, 0);
    form.Picture1_MouseDown(1, 0, float(middle), 0);
    double x = middle;
    for (auto _ : state) {
        x = x > middle + 100 ? middle - 100 : x + 1;
        form.Picture1_MouseMove(1, 0, float(x), 0);
    }
    state.counters["points"] = form.system().PointCount;
}
BENCHMARK(DragAnElementWithFiftyMarkedPoints)->Unit(benchmark::kMicrosecond);

} // namespace
