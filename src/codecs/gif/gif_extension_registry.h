#pragma once
// The two registries that decide which class reads an extension: one by label, one for
// application extensions by their 11-byte identification.
#include <cstdint>
#include <string>
#include <vector>

#include "codecs/gif/gif_extension.h"
#include "core/stream.h"

namespace codecs::gif {

class TExtensionList {
  public:
    // The process-wide list, holding the four standard labels.
    static TExtensionList& Instance();

    void Add(uint8_t label, TGIFExtensionClass extensionClass);
    void Remove(TGIFExtensionClass extensionClass);
    // Newest registration first; none when no class has this label.
    TGIFExtensionClass Find(uint8_t label) const;

  private:
    struct Entry {
        uint8_t Label;
        TGIFExtensionClass Class;
    };
    std::vector<Entry> entries_;
};

class TAppExtensionList {
  public:
    // The process-wide list, holding "NETSCAPE2.0" and "ANIMEXTS1.0".
    static TAppExtensionList& Instance();

    void Add(const std::string& identification, TGIFExtensionClass extensionClass);
    void Remove(TGIFExtensionClass extensionClass);
    // Newest registration first; none when the identification is not registered.
    TGIFExtensionClass Find(const std::string& identification) const;

  private:
    struct Entry {
        std::string Identification;
        TGIFExtensionClass Class;
    };
    std::vector<Entry> entries_;
};

// Identifies the extension whose label is next in the stream (just after the introducer):
// the class registered for the label, refined by its look-ahead until a look-ahead names the
// class that made it. Returns none when no class fits. The stream is left where it was.
TGIFExtensionClass IdentifyExtension(core::TStream& stream);

// The look-ahead that all application extension classes share.
TGIFExtensionClass LookAheadApplication(core::TStream& stream, TGIFExtensionClass asking);

}  // namespace codecs::gif
