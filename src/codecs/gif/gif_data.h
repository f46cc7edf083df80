#pragma once
// A GIF file as loaded: the header with the logical screen and global colour table, and the
// frames in file order. Loading decodes every frame's pixels; nothing here draws.
#include <cstdint>
#include <memory>
#include <vector>

#include "codecs/gif/gif_header.h"
#include "codecs/gif/gif_sub_image.h"
#include "codecs/gif/gif_types.h"
#include "core/stream.h"

namespace codecs::gif {

class TGIFData {
  public:
    // Pixels a picture may hold in all its frames together: a few bytes of a hostile file
    // must not make the program fill gigabytes.
    static constexpr uint64_t kDefaultPixelBudget = uint64_t{1} << 28;

    TGIFData();
    TGIFData(const TGIFData&) = delete;
    TGIFData& operator=(const TGIFData&) = delete;

    // No frames, a 0 x 0 screen and no global table.
    void Clear();
    // Reads one GIF file from the stream's position. On failure the stream goes back to
    // where it was and the exception propagates; what was read so far stays.
    void LoadFromStream(core::TStream& stream);

    TGIFHeader& Header() { return header_; }
    const TGIFHeader& Header() const { return header_; }
    TGIFGlobalColorMap& GlobalColorMap() { return header_.ColorMap(); }
    const TGIFGlobalColorMap& GlobalColorMap() const { return header_.ColorMap(); }
    int Width() const { return header_.Width(); }
    int Height() const { return header_.Height(); }
    bool IsEmpty() const { return images_.empty(); }
    int Count() const { return static_cast<int>(images_.size()); }
    TGIFSubImage& Images(int index) { return *images_.at(static_cast<size_t>(index)); }
    const TGIFSubImage& Images(int index) const { return *images_.at(static_cast<size_t>(index)); }

    void SetOnWarning(TGIFWarningHandler handler) { onWarning_ = std::move(handler); }
    void SetOnProgress(TGIFProgressHandler handler) { onProgress_ = std::move(handler); }
    void Warning(const void* sender, TGIFSeverity severity, const std::string& message) const;
    void Progress(TGIFProgressStage stage, int percent, bool redraw, const std::string& message);

    uint64_t PixelBudget() const { return pixelBudget_; }
    void SetPixelBudget(uint64_t pixels) { pixelBudget_ = pixels; }
    // Takes `pixels` from what is left of the budget; raises EOutOfMemory when it is spent.
    void ClaimPixels(uint64_t pixels);

  private:
    void ReadFrames(core::TStream& stream);
    void ReadTrailer(core::TStream& stream);

    TGIFHeader header_;
    std::vector<std::unique_ptr<TGIFSubImage>> images_;
    TGIFWarningHandler onWarning_;
    TGIFProgressHandler onProgress_;
    uint64_t pixelBudget_ = kDefaultPixelBudget;
    uint64_t pixelsClaimed_ = 0;
};

}  // namespace codecs::gif
