// The part of start-up spent on sound: opening the six music streams and decoding the 32
// effects, as Game's construction does, and the copy of the effect bank a menu slider keeps.
// Run from the run-time folder. One sound stays alive throughout so that the audio device is
// opened once, as in the game, and not once per iteration.

#include "audio/Music.hpp"
#include "audio/SFX.hpp"

#include <SFML/Audio/Sound.hpp>

#include <benchmark/benchmark.h>

namespace {

void BM_MusicOpensSixStreams(benchmark::State& state)
{
    const sf::Sound keepsDeviceOpen;
    for (auto _ : state) {
        Music music;
        benchmark::DoNotOptimize(music);
    }
}
BENCHMARK(BM_MusicOpensSixStreams)->Unit(benchmark::kMillisecond);

void BM_SfxDecodesThirtyTwoEffects(benchmark::State& state)
{
    const sf::Sound keepsDeviceOpen;
    for (auto _ : state) {
        Sfx sfx;
        benchmark::DoNotOptimize(sfx);
    }
}
BENCHMARK(BM_SfxDecodesThirtyTwoEffects)->Unit(benchmark::kMillisecond);

void BM_SfxCopyForASlider(benchmark::State& state)
{
    const Sfx bank;
    for (auto _ : state) {
        Sfx copy(bank);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_SfxCopyForASlider)->Unit(benchmark::kMicrosecond);

} // namespace
