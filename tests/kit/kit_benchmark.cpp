// How long the image marks of fifty marked points take to be recomputed, as
// after every move of an element in the point grid: 250 rays through four
// elements. Read the median; nothing here is asserted.
#include "kit/kit_model.h"

#include <benchmark/benchmark.h>

namespace {

void ImageFiftyPoints(benchmark::State& state)
{
    kit::System kit;
    kit.AddElement(kit::Kind::Converging);
    kit.AddElement(kit::Kind::Diverging);
    kit.AddElement(kit::Kind::Converging);
    kit.AddElement(kit::Kind::Eye);
    kit.chooseObject(kit::ObjectMode::PointGrid, 0);
    for (int i = 0; i < kit::kMaxPoints; ++i)
        kit.markPoint(40 + 20 * (i % 10), -100 + 40 * (i / 10));
    std::size_t strokes = 0;
    for (auto _ : state) {
        const kit::Strokes last = kit.imageAllPoints(2000);
        strokes = last.size();
        benchmark::DoNotOptimize(last.data());
    }
    state.counters["points"] = kit.PointCount;
    state.counters["strokes of the last bundle"] = static_cast<double>(strokes);
}
BENCHMARK(ImageFiftyPoints)->Unit(benchmark::kMicrosecond);

} // namespace
