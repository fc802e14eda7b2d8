// How long a run spends loading and committing a prefix's registry: every run reads both hives once
// and writes the changed ones once, so these two numbers bound its fixed cost. A booted Wine prefix's
// system.reg has about 16,000 keys (2.9 MB); the synthetic hive here is of that size.

#include "registry/HiveReader.h"
#include "registry/HiveWriter.h"

#include <benchmark/benchmark.h>
#include <sstream>
#include <string>

namespace {

std::string SyntheticHive(int keyCount) {
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";
    for (int key = 0; key < keyCount; ++key) {
        const std::string index = std::to_string(key);
        text += "\n[Software\\\\Wow6432Node\\\\Vendor" + std::to_string(key % 97) + "\\\\Product" + index +
                "] 1796992059\n#time=1dd896b03277226\n";
        text += "\"RootDir\"=\"C:\\\\Program Files\\\\Product " + index + "\\\\\"\n";
        text += "\"Search Path\"=\"$(BDS)\\\\lib;$(BDS)\\\\Imports;C:\\\\Vek\\\\Lib\\\\Win32;\\xe9t\\xe9\"\n";
        text += "\"Count\"=dword:0000002a\n";
        text += "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f\n";
    }
    return text;
}

void BM_ReadHive(benchmark::State& state) {
    const std::string text = SyntheticHive(static_cast<int>(state.range(0)));
    std::ostringstream diagnostics;
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::posix::ReadHive(text, "system.reg", diagnostics));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_WriteHive(benchmark::State& state) {
    const std::string text = SyntheticHive(static_cast<int>(state.range(0)));
    std::ostringstream diagnostics;
    const platform::posix::Hive hive = platform::posix::ReadHive(text, "system.reg", diagnostics);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::posix::WriteHive(hive));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_ReadHive)->Arg(1000)->Arg(16000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteHive)->Arg(1000)->Arg(16000)->Unit(benchmark::kMillisecond);
