// How long the image marks of fifty marked points take to be recomputed, as
// after every move of an element in the point grid: 250 rays through four
// elements. Read the median; nothing here is asserted.
#include "kit_support.h"

#include <benchmark/benchmark.h>

namespace {

void ImageFiftyPoints(benchmark::State& state)
{
    using kit::Kind;
    kit::System kit =
        support::kitWith({Kind::Converging, Kind::Diverging, Kind::Converging, Kind::Eye}, kit::ObjectMode::PointGrid);
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
