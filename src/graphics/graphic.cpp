#include "graphics/graphic.h"

namespace graphics {

bool TGraphicClass::InheritsFrom(const TGraphicClass& other) const {
    for (const TGraphicClass* c = this; c != nullptr; c = c->base_)
        if (c == &other) return true;
    return false;
}

const TGraphicClass& TGraphic::ClassType() {
    static const TGraphicClass kClass("TGraphic", nullptr, []() -> std::unique_ptr<TGraphic> {
        return nullptr;  // abstract
    });
    return kClass;
}

void TGraphic::NotifyChange() {
    modified_ = true;
    if (onChange_) onChange_(this);
}

bool TGraphic::SameContent(TGraphic& other) {
    bool empty = IsEmpty();
    if (empty || other.IsEmpty()) return empty && other.IsEmpty();
    if (&GetClass() != &other.GetClass()) return false;
    core::TMemoryStream mine, theirs;
    WriteStoredData(mine);
    other.WriteStoredData(theirs);
    return mine.Bytes() == theirs.Bytes();
}

void TGraphic::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    NotifyChange();
}

void TGraphic::LoadFile(const std::string& fileName) {
    core::TFileStream stream(fileName, core::fmOpenRead | core::fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveFile(const std::string& fileName) {
    core::TFileStream stream(fileName, core::fmCreate);
    SaveToStream(stream);
}

void TGraphic::Progress(core::TPersistent* sender, TProgressStage stage, uint8_t percentDone,
                        bool redrawNow, const TRect& rect, const std::string& message) {
    if (onProgress_) onProgress_(sender, stage, percentDone, redrawNow, rect, message);
}

}  // namespace graphics
