#pragma once
// The base of every object in a loaded GIF: it knows the file it belongs to, so that it can
// pass warnings to that file's handler.
#include <string>

#include "codecs/gif/gif_types.h"

namespace codecs::gif {

class TGIFData;

class TGIFItem {
  public:
    explicit TGIFItem(TGIFData* data) : data_(data) {}
    virtual ~TGIFItem() = default;
    TGIFItem(const TGIFItem&) = delete;
    TGIFItem& operator=(const TGIFItem&) = delete;

    TGIFData* Data() const { return data_; }

  protected:
    // Hands a problem that does not stop loading to the file's warning handler, if any.
    void Warning(TGIFSeverity severity, const std::string& message) const;

  private:
    TGIFData* data_;
};

}  // namespace codecs::gif
