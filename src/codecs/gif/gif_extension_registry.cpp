#include "codecs/gif/gif_extension_registry.h"

#include <algorithm>

#include "codecs/gif/gif_stream.h"

namespace codecs::gif {

TExtensionList& TExtensionList::Instance() {
    static TExtensionList list = [] {
        TExtensionList standard;
        standard.Add(0xF9, &TGIFGraphicControlExtension::kClass);
        standard.Add(0x01, &TGIFTextExtension::kClass);
        standard.Add(0xFE, &TGIFCommentExtension::kClass);
        standard.Add(0xFF, &TGIFApplicationExtension::kClass);
        return standard;
    }();
    return list;
}

void TExtensionList::Add(uint8_t label, TGIFExtensionClass extensionClass) {
    entries_.push_back({label, extensionClass});
}

void TExtensionList::Remove(TGIFExtensionClass extensionClass) {
    std::erase_if(entries_, [&](const Entry& e) { return e.Class == extensionClass; });
}

TGIFExtensionClass TExtensionList::Find(uint8_t label) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->Label == label) return it->Class;
    return nullptr;
}

TAppExtensionList& TAppExtensionList::Instance() {
    static TAppExtensionList list = [] {
        TAppExtensionList standard;
        standard.Add("NETSCAPE2.0", &TGIFAppExtNSLoop::kClass);
        standard.Add("ANIMEXTS1.0", &TGIFAppExtNSLoop::kClass);
        return standard;
    }();
    return list;
}

void TAppExtensionList::Add(const std::string& identification, TGIFExtensionClass extensionClass) {
    entries_.push_back({identification, extensionClass});
}

void TAppExtensionList::Remove(TGIFExtensionClass extensionClass) {
    std::erase_if(entries_, [&](const Entry& e) { return e.Class == extensionClass; });
}

TGIFExtensionClass TAppExtensionList::Find(const std::string& identification) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->Identification == identification) return it->Class;
    return nullptr;
}

TGIFExtensionClass LookAheadApplication(core::TStream& stream, TGIFExtensionClass asking) {
    int64_t start = stream.Position();
    int size = ReadByteOrEnd(stream);
    if (size == 10) {
        uint8_t skipped[10];
        if (stream.Read(skipped, 10) != 10) return nullptr;
        return &TGIFUnknownAppExtension::kClass;
    }
    if (size == 11) {
        char identification[11];
        if (stream.Read(identification, 11) == 11) {
            TGIFExtensionClass found =
                TAppExtensionList::Instance().Find(std::string(identification, 11));
            return found ? found : &TGIFUnknownAppExtension::kClass;
        }
    }
    stream.SetPosition(start);
    // A longer identification block has no class of its own; its data is kept as an unknown
    // application extension's. The unknown class re-reads this size byte and keeps itself.
    if (size > 11 && asking == &TGIFApplicationExtension::kClass)
        return &TGIFUnknownAppExtension::kClass;
    return asking;
}

TGIFExtensionClass IdentifyExtension(core::TStream& stream) {
    int64_t start = stream.Position();
    int label = ReadByteOrEnd(stream);
    TGIFExtensionClass found =
        label < 0 ? nullptr : TExtensionList::Instance().Find(static_cast<uint8_t>(label));
    while (found && found->Refine) {
        TGIFExtensionClass refined = found->Refine(stream);
        if (refined == found) break;
        found = refined;
    }
    stream.SetPosition(start);
    return found;
}

}  // namespace codecs::gif
