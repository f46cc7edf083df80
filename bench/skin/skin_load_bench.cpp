// Loading the program's own skin: inflating the embedded package, taking its pictures and
// parsing its text, as the main window does once at start-up.
#include <benchmark/benchmark.h>

#include "core/ini_file.h"
#include "core/stream.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skin/skin_package.h"

namespace {

skin::TbsCompressedStoredSkin& EmbeddedStoredSkin() {
    static skin::TbsCompressedStoredSkin stored = [] {
        skin::TbsCompressedStoredSkin s;
        auto bytes = skin::EmbeddedSkinPackage();
        s.SetCompressedData(bytes.data(), static_cast<int64_t>(bytes.size()));
        return s;
    }();
    return stored;
}

void BM_LoadEmbeddedSkin(benchmark::State& state) {
    for (auto _ : state) {
        skin::TbsSkinData data;
        data.LoadCompressedSkin(EmbeddedStoredSkin());
        benchmark::DoNotOptimize(data.CtrlList().size());
    }
}
BENCHMARK(BM_LoadEmbeddedSkin)->Unit(benchmark::kMillisecond);

void BM_InflateEmbeddedSkin(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<uint8_t> package =
            skin::InflatePackage(EmbeddedStoredSkin().CompressedStream());
        benchmark::DoNotOptimize(package.data());
    }
}
BENCHMARK(BM_InflateEmbeddedSkin)->Unit(benchmark::kMillisecond);

void BM_ParseEmbeddedSkinText(benchmark::State& state) {
    std::vector<uint8_t> package = skin::InflatePackage(EmbeddedStoredSkin().CompressedStream());
    skin::TbsPackageLayout layout =
        skin::WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    std::string_view text(reinterpret_cast<const char*>(package.data()) + layout.Text.Offset,
                          static_cast<size_t>(layout.Text.Size));
    for (auto _ : state) {
        core::TMemIniFile ini;
        ini.SetText(text);
        skin::TbsSkinData data;
        data.LoadFromIni(ini);
        benchmark::DoNotOptimize(data.CtrlList().size());
    }
}
BENCHMARK(BM_ParseEmbeddedSkinText)->Unit(benchmark::kMillisecond);

}  // namespace
