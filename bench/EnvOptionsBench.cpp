// The EnvOptions.proj splice on a file of the size the newer IDEs write (tens of KB, long lists):
// one install calls it a few dozen times, each on the whole file.

#include "KOSetupUtils/EnvOptionsSplice.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::string SyntheticEnvOptions() {
    std::string text =
        "\xEF\xBB\xBF<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n";
    for (const char* platformWord : {"Win32", "Win64", "OSX32", "iOSDevice32", "iOSDevice64", "Android"}) {
        text += "  <PropertyGroup Condition=\"'$(Platform)'=='" + std::string(platformWord) + "'\">\r\n";
        for (const char* element : {"DelphiLibraryPath", "CBuilderLibraryPath", "CBuilderIncludePath"}) {
            text += "    <" + std::string(element) + ">";
            for (int entry = 0; entry < 60; ++entry)
                text +=
                    "$(BDS)\\lib\\" + std::string(platformWord) + "\\component" + std::to_string(entry) + ";";
            text += "</" + std::string(element) + ">\r\n";
        }
        text += "  </PropertyGroup>\r\n";
    }
    return text + "</Project>\r\n";
}

void BM_SpliceAddAndRemove(benchmark::State& state) {
    const std::string text = SyntheticEnvOptions();
    const kosetup::EnvOptionsTags tags{kosetup::PropertyGroupStart("ANDROID"), kosetup::kPropertyGroupEnd,
                                       kosetup::ElementStartTag("CBUILDERINCLUDEPATH"),
                                       kosetup::ElementEndTag("CBUILDERINCLUDEPATH")};
    for (auto _ : state) {
        const auto added = kosetup::SpliceEnvOptionsEntry(text, tags, "C:\\Vek\\Include\\Android", false);
        benchmark::DoNotOptimize(
            kosetup::SpliceEnvOptionsEntry(*added, tags, "C:\\Vek\\Include\\Android", true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size() * 2));
}

} // namespace

BENCHMARK(BM_SpliceAddAndRemove)->Unit(benchmark::kMicrosecond);
