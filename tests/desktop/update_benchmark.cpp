// Whole updates as a teacher makes them on a projector: a handler and the
// repair and repaint it leads to, each move timed on its own. The three
// heaviest: aiming a new mirror ray over 49 rays and 50 marked pairs,
// dragging the lens with 50 rays, dragging an element of the kit in
// point-grid mode with 50 points and six elements. Each in the normal and in
// the projector view; run it on the screen you care about
// (./build.sh bench). It reports the median per move; nothing is asserted.
#include "forms/projector_view.h"
#include "kit/bk_form.h"
#include "lens/lens_form.h"
#include "mirror/sp_form.h"
#include "tests/kit/kit_window_support.h"
#include "tests/support/app_fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Moves per run: RAYLORE_BENCH_MOVES, 400 unless set.
int moves()
{
    bool set = false;
    const int n = qEnvironmentVariableIntValue("RAYLORE_BENCH_MOVES", &set);
    return set && n > 0 ? n : 400;
}

double median(std::vector<double>& samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// Opens the window in the chosen view, lets `prepare` fill it, then times
// `move(i)` followed by the event-loop turn that repairs and repaints.
template <typename Window>
void timeMoves(benchmark::State& state, const std::function<void(Window&)>& prepare,
               const std::function<void(Window&, int)>& move)
{
    forms::setProjectorView(state.range(0) == 1);
    auto window = std::make_unique<Window>();
    window->showModeless();
    settle();
    prepare(*window);
    settle();
    std::vector<double> whole;
    std::vector<double> handler;
    int i = 0;
    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); };
    for (auto _ : state) {
        const auto start = Clock::now();
        move(*window, i++);
        handler.push_back(since(start));
        settle();
        whole.push_back(since(start));
    }
    state.counters["median_ms"] = median(whole);
    state.counters["handler_ms"] = median(handler);
    state.SetLabel(forms::projectorView() ? "projector view" : "normal view");
    window.reset();
    forms::setProjectorView(false);
}

void AimMirrorRayOverFortyNineRaysAndFiftyPairs(benchmark::State& state)
{
    timeMoves<sp_form>(
        state,
        [](sp_form& form) {
            for (int i = 0; i < 49; ++i) {
                form.Picture1_MouseDown(1, 0, 500, -240 + 9.6f * i);
                form.Picture1_MouseUp(1, 0, 500, -240 + 9.6f * i);
            }
            mirror::Experiment marked = form.model();
            marked.ImageCount = mirror::kMaxEntries;
            for (int i = 0; i < mirror::kMaxEntries; ++i) {
                marked.ImageX[i] = 450.0f + float(i);
                marked.ImageY[i] = -100 + 4.0f * float(i);
                marked.ImageObjX[i] = 100;
                marked.ImageObjY[i] = 100;
            }
            form.showExperiment(marked);
            form.Picture1_MouseDown(1, 0, 600, 250);
        },
        [](sp_form& form, int i) { form.Picture1_MouseMove(1, 0, 600, 250 - float(i % 500)); });
}

void DragLensWithFiftyRays(benchmark::State& state)
{
    timeMoves<lens_form>(
        state,
        [](lens_form& form) {
            for (int i = 0; i < lens_form::kMaxEntries; ++i) {
                const float y = -100 + 4.0f * i;
                form.Picture1_MouseMove(0, 0, 300, y);
                form.Picture1_MouseDown(1, 0, 300, y);
                form.Picture1_MouseUp(1, 0, 300, y);
            }
            form.Picture1_MouseMove(0, 0, 490, 0);
            form.Picture1_MouseDown(1, 0, 490, 0);
        },
        [](lens_form& form, int i) { form.Picture1_MouseMove(1, 0, 490 + float(i % 200), 0); });
}

void DragKitElementWithFiftyMarkedPoints(benchmark::State& state)
{
    timeMoves<bk_form>(
        state,
        [](bk_form& form) {
            for (kit::Kind kind : {kit::Kind::Converging, kit::Kind::Diverging, kit::Kind::Converging,
                                   kit::Kind::Diverging, kit::Kind::Converging, kit::Kind::Eye})
                kitwin::add(form, kind);
            kitwin::chooseObject(form, kit::ObjectMode::PointGrid);
            for (int i = 0; i < 50; ++i)
                kitwin::click(form, 60 + 20 * (i % 10), -100 + 20 * (i / 10));
            const double middle = (form.system().ElemX[3] + form.system().ElemX[4]) / 2;
            kitwin::move(form, middle, 0);
            form.Picture1_MouseDown(1, 0, float(middle), 0);
        },
        [](bk_form& form, int i) {
            const double middle = (form.system().ElemX[3] + form.system().ElemX[4]) / 2;
            form.Picture1_MouseMove(1, 0, float(middle + (i % 2 == 0 ? 1 : -1)), 0);
        });
}

} // namespace

BENCHMARK(AimMirrorRayOverFortyNineRaysAndFiftyPairs)->Arg(0)->Arg(1)->Iterations(moves())->Unit(benchmark::kMillisecond);
BENCHMARK(DragLensWithFiftyRays)->Arg(0)->Arg(1)->Iterations(moves())->Unit(benchmark::kMillisecond);
BENCHMARK(DragKitElementWithFiftyMarkedPoints)->Arg(0)->Arg(1)->Iterations(moves())->Unit(benchmark::kMillisecond);
