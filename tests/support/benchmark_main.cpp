// The main() of the window benchmarks: a QApplication around Google Benchmark.
#include "forms/fonts.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    QStandardPaths::setTestModeEnabled(true); // the view it switches is not the user's
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
