// One composition of the time file's line, as the work timer runs it on every tick.
#include "profiles/DefaultProfiles.h"
#include "profiles/ModelList.h"
#include "profiles/OwnFormatStartingPoints.h"
#include "profiles/TimeFileComposer.h"

#include <benchmark/benchmark.h>

namespace {

void composeOnce(benchmark::State& state, zv::ModelIndex model)
{
    zv::SharedValues values;
    values.profileTable = zv::DefaultProfiles();
    values.dateTimeParts.set(2012, 10, 2, 14, 24, 32);
    zv::TimeFileComposer composer(values);
    for (auto _ : state) {
        composer.ObrazecZapolnenija(model);
        benchmark::DoNotOptimize(values.timeFileText.data());
    }
}

void BM_ComposeUntaggedMD80(benchmark::State& state) { composeOnce(state, 0); }
void BM_ComposeTaggedRS301(benchmark::State& state) { composeOnce(state, 9); }

// A tick also splits the moment into its texts before composing.
void BM_TickSplitAndCompose(benchmark::State& state)
{
    zv::SharedValues values;
    values.profileTable = zv::DefaultProfiles();
    zv::TimeFileComposer composer(values);
    int second = 0;
    for (auto _ : state) {
        values.dateTimeParts.set(2012, 10, 2, 14, 24, second = (second + 1) % 60);
        composer.ObrazecZapolnenija(4);
        benchmark::DoNotOptimize(values.timeFileText.data());
    }
}

// An own format's whole file on a new second: the key-chain camera's header and two lines.
void BM_TickComposeOwnFormat(benchmark::State& state)
{
    zv::SharedValues values;
    values.profileTable = zv::DefaultProfiles();
    values.ownFormats.assign({zv::ownFormatStartingPoints().front().format});
    zv::TimeFileComposer composer(values);
    int second = 0;
    for (auto _ : state) {
        values.dateTimeParts.set(2012, 10, 2, 14, 24, second = (second + 1) % 60);
        composer.ObrazecZapolnenija(zv::kModelCount);
        benchmark::DoNotOptimize(values.timeFileText.data());
    }
}

} // namespace

BENCHMARK(BM_ComposeUntaggedMD80);
BENCHMARK(BM_ComposeTaggedRS301);
BENCHMARK(BM_TickSplitAndCompose);
BENCHMARK(BM_TickComposeOwnFormat);
