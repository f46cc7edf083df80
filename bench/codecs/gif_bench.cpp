// Decoding speed of the GIF loader against giflib's DGifSlurp on the same files, both reading
// from memory. Throughput counts decoded pixels (one byte each).
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/gif/gif_data.h"
#include "core/stream.h"

namespace {

struct File {
    std::string name;
    std::vector<uint8_t> bytes;
    int64_t pixels = 0;
};

const std::vector<File>& Corpus() {
    static const std::vector<File> files = [] {
        std::vector<File> result;
        std::filesystem::path dir = std::string(TEMBRIN_SOURCE_DIR) + "/tests/data/gif/corpus";
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".gif") continue;
            core::TMemoryStream stream;
            stream.LoadFromFile(entry.path().string());
            File file{entry.path().filename().string(), stream.Bytes(), 0};
            codecs::gif::TGIFData data;
            core::TBytesStream input(file.bytes.data(), static_cast<int64_t>(file.bytes.size()));
            data.LoadFromStream(input);
            for (int i = 0; i < data.Count(); ++i)
                file.pixels += static_cast<int64_t>(data.Images(i).Pixels().size());
            result.push_back(std::move(file));
        }
        std::sort(result.begin(), result.end(),
                  [](const File& a, const File& b) { return a.name < b.name; });
        return result;
    }();
    return files;
}

int64_t TotalPixels() {
    int64_t total = 0;
    for (const File& file : Corpus()) total += file.pixels;
    return total;
}

struct MemoryReader {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    size_t n = std::min(static_cast<size_t>(count), reader->bytes->size() - reader->position);
    std::memcpy(out, reader->bytes->data() + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

void BM_GifOurDecoder(benchmark::State& state) {
    for (auto _ : state) {
        for (const File& file : Corpus()) {
            codecs::gif::TGIFData data;
            core::TBytesStream input(file.bytes.data(), static_cast<int64_t>(file.bytes.size()));
            data.LoadFromStream(input);
            benchmark::DoNotOptimize(data.Images(0).Pixels().data());
        }
    }
    state.SetBytesProcessed(state.iterations() * TotalPixels());
}
BENCHMARK(BM_GifOurDecoder)->Unit(benchmark::kMillisecond);

void BM_GifGiflibSlurp(benchmark::State& state) {
    for (auto _ : state) {
        for (const File& file : Corpus()) {
            MemoryReader reader{&file.bytes, 0};
            int error = 0;
            GifFileType* gif = DGifOpen(&reader, &ReadFromMemory, &error);
            if (!gif || DGifSlurp(gif) != GIF_OK) state.SkipWithError("giflib failed");
            if (gif) {
                benchmark::DoNotOptimize(gif->SavedImages);
                DGifCloseFile(gif, &error);
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * TotalPixels());
}
BENCHMARK(BM_GifGiflibSlurp)->Unit(benchmark::kMillisecond);

// One file at a time, to see which kinds of image each decoder handles well.
void DecodeOneFile(benchmark::State& state, bool ours) {
    const File& file = Corpus().at(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        if (ours) {
            codecs::gif::TGIFData data;
            core::TBytesStream input(file.bytes.data(), static_cast<int64_t>(file.bytes.size()));
            data.LoadFromStream(input);
            benchmark::DoNotOptimize(data.Images(0).Pixels().data());
        } else {
            MemoryReader reader{&file.bytes, 0};
            int error = 0;
            GifFileType* gif = DGifOpen(&reader, &ReadFromMemory, &error);
            if (!gif || DGifSlurp(gif) != GIF_OK) state.SkipWithError("giflib failed");
            if (gif) DGifCloseFile(gif, &error);
        }
    }
    state.SetLabel(file.name);
    state.SetBytesProcessed(state.iterations() * file.pixels);
}

void BM_GifOurDecoderPerFile(benchmark::State& state) {
    DecodeOneFile(state, true);
}
void BM_GifGiflibPerFile(benchmark::State& state) {
    DecodeOneFile(state, false);
}
BENCHMARK(BM_GifOurDecoderPerFile)->DenseRange(0, static_cast<int>(Corpus().size()) - 1);
BENCHMARK(BM_GifGiflibPerFile)->DenseRange(0, static_cast<int>(Corpus().size()) - 1);

}  // namespace
