#pragma once
// A reference-counted image shared by graphics that copied each other. The last release frees
// the image's platform handles and the image itself.
#include <atomic>
#include <cstdint>

namespace graphics {

class TSharedImage {
  public:
    TSharedImage() = default;
    TSharedImage(const TSharedImage&) = delete;
    TSharedImage& operator=(const TSharedImage&) = delete;

    void Reference() { ++refCount_; }
    void Release();
    int32_t RefCount() const { return refCount_; }

  protected:
    virtual ~TSharedImage() = default;
    virtual void FreeHandle() = 0;

  private:
    std::atomic<int32_t> refCount_{0};
};

inline void TSharedImage::Release() {
    if (refCount_.fetch_sub(1) == 1) {
        FreeHandle();
        delete this;
    }
}

}  // namespace graphics
