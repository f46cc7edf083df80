#include "skin/skin_data.h"

#include <algorithm>
#include <climits>

#include "core/convert.h"
#include "core/string_list.h"
#include "skin/skin_package.h"

namespace skin {

namespace {

// One past the largest numeric key of a section: keys at or above it cannot exist, so counts
// from the text are never walked further than that.
// No skin holds anywhere near this many pictures, objects or controls; keys beyond it are
// ignored so that one key such as "99999999" cannot make a load walk a hundred million
// indices.
constexpr int32_t kMaxCatalogueIndex = 65536;

int32_t NumericKeyLimit(const core::TMemIniFile& ini, std::string_view section) {
    int32_t limit = 0;
    for (const std::string& key : ini.ReadSection(section)) {
        std::optional<int32_t> n = core::TryStrToInt(key);
        if (n && *n >= 0 && *n < kMaxCatalogueIndex) limit = std::max(limit, *n + 1);
    }
    return limit;
}

// Splits a catalogue value at the first ":" into name and type keyword.
bool SplitEntry(const std::string& value, std::string& name, std::string& type) {
    size_t colon = value.find(':');
    if (colon == std::string::npos) return false;
    name = value.substr(0, colon);
    type = value.substr(colon + 1);
    return true;
}

}  // namespace

TbsSkinData::TbsSkinData(ui::TComponent* owner) : ui::TComponent(owner) {}

TbsSkinData::~TbsSkinData() {
    empty_ = true;
    ClearSkin();
}

// ---- properties ----

void TbsSkinData::SetSkinnableForm(bool value) {
    if (skinnableForm_ == value) return;
    skinnableForm_ = value;
    if (!state_.Designing && !state_.Reading) SendSkinDataMessage(WM_CHANGEFORMSKINNABLE);
}

void TbsSkinData::Watch(ui::TComponent*& slot, ui::TComponent* component) {
    if (slot == component) return;
    if (slot != nullptr) slot->RemoveFreeNotification(this);
    slot = component;
    if (component != nullptr) component->FreeNotification(this);
}

void TbsSkinData::Notification(ui::TComponent* component, ui::TOperation operation) {
    ui::TComponent::Notification(component, operation);
    if (operation != ui::TOperation::opRemove || component == nullptr) return;
    if (component == storedSkinComponent_) {
        storedSkin_ = nullptr;
        storedSkinComponent_ = nullptr;
    }
    if (component == resourceStrComponent_) {
        resourceStrData_ = nullptr;
        resourceStrComponent_ = nullptr;
    }
    if (component == skinListComponent_) {
        skinList_ = nullptr;
        skinListComponent_ = nullptr;
    }
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* value) {
    storedSkin_ = value;
    Watch(storedSkinComponent_, dynamic_cast<ui::TComponent*>(value));
    if (!state_.Designing && value != nullptr) LoadCompressedSkin(*value);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* value) {
    resourceStrData_ = value;
    Watch(resourceStrComponent_, dynamic_cast<ui::TComponent*>(value));
    if (!state_.Designing) SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

void TbsSkinData::SetSkinList(TbsCompressedSkinList* value) {
    skinList_ = value;
    Watch(skinListComponent_, dynamic_cast<ui::TComponent*>(value));
    if (value != nullptr && !state_.Designing) {
        if (TbsSkinListItem* item = value->Item(skinIndex_)) LoadCompressedSkin(item->StoredSkin());
    }
}

void TbsSkinData::SetSkinIndex(int32_t value) {
    if (skinList_ == nullptr) {
        skinIndex_ = value;
        return;
    }
    TbsSkinListItem* item = skinList_->Item(value);
    if (item == nullptr) return;  // outside the list: ignored
    skinIndex_ = value;
    if (!state_.Designing) LoadCompressedSkin(item->StoredSkin());
}

void TbsSkinData::ForgetReference(const void* removed) {
    if (removed == nullptr) return;
    if (removed == storedSkin_) {
        storedSkin_ = nullptr;
        Watch(storedSkinComponent_, nullptr);
    }
    if (removed == resourceStrData_) {
        resourceStrData_ = nullptr;
        Watch(resourceStrComponent_, nullptr);
    }
    if (removed == skinList_) {
        skinList_ = nullptr;
        Watch(skinListComponent_, nullptr);
    }
}

// ---- lookups ----

const TbsSkinPicture* TbsSkinData::ActivePicture(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(activePictures_.size())) return nullptr;
    return activePictures_[static_cast<size_t>(index)].get();
}

int TbsSkinData::GetIndex(std::string_view name) const {
    for (size_t i = 0; i < objectList_.size(); ++i)
        if (objectList_[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

int TbsSkinData::GetControlIndex(std::string_view name) const {
    for (size_t i = 0; i < ctrlList_.size(); ++i)
        if (ctrlList_[i]->IDName == name) return static_cast<int>(i);
    return -1;
}

// ---- messages ----

void TbsSkinData::SendSkinDataMessage(uint32_t message) {
    if (ownerForm_ != nullptr) ownerForm_->SkinDataMessage(message, this, kSkinMessageParam2);
    // A receiver may open or close forms while it handles the message: walk a copy.
    const std::vector<TbsSkinMessageReceiver*> forms = TbsSkinFormList::Screen().Forms();
    for (TbsSkinMessageReceiver* form : forms)
        if (form != ownerForm_) form->SkinDataMessage(message, this, kSkinMessageParam2);
}

// ---- loading ----

void TbsSkinData::ClearSkin() {
    objectList_.clear();
    ctrlList_.clear();
    activePictures_.clear();
    activePicturesNames_.clear();
    popupWindow_.WindowPictureIndex = -1;
    hintWindow_.WindowPictureIndex = -1;
    skinColors_.SetColorsToDefault();
    framePicture_.Clear();
    inactiveFramePicture_.Clear();
    frameMask_.Clear();
    pictureName_.clear();
    inactivePictureName_.clear();
    maskName_.clear();
    empty_ = true;
}

void TbsSkinData::LoadCompressedSkin(TbsCompressedStoredSkin& storedSkin) {
    if (storedSkin.Empty()) return;
    empty_ = true;
    changingSkin_ = true;
    // A load that fails leaves the skin empty and no longer "changing".
    struct ChangingGuard {
        bool& flag;
        ~ChangingGuard() { flag = false; }
    } guard{changingSkin_};

    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    ClearSkin();

    std::vector<uint8_t> package = InflatePackage(storedSkin.CompressedStream());
    TbsPackageLayout layout = WalkPackage(package.data(), static_cast<int64_t>(package.size()));
    if (layout.Version >= kFirstUnsupportedVersion) return;

    auto loadInto = [&](TbsSkinPicture& picture, const std::optional<TbsByteRange>& range) {
        if (range) picture.LoadFromBytes(package.data() + range->Offset, range->Size);
    };
    loadInto(framePicture_, layout.FramePicture);
    loadInto(inactiveFramePicture_, layout.InactiveFramePicture);
    loadInto(frameMask_, layout.FrameMask);
    for (const TbsByteRange& range : layout.ActivePictures) {
        auto picture = std::make_unique<TbsSkinPicture>();
        picture->LoadFromBytes(package.data() + range.Offset, range.Size);
        activePictures_.push_back(std::move(picture));
    }

    {
        core::TStringList lines;
        lines.SetText(
            std::string_view(reinterpret_cast<const char*>(package.data()) + layout.Text.Offset,
                             static_cast<size_t>(layout.Text.Size)));
        core::TMemIniFile ini(lines);
        package.clear();
        LoadFromIni(ini);
    }

    empty_ = false;
    SendSkinDataMessage(WM_CHANGESKINDATA);
    changingSkin_ = false;
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
}

void TbsSkinData::LoadFromIni(const core::TMemIniFile& ini) {
    ReadVersion(ini);
    ReadPictureNames(ini);
    formInfo_.ReadFromIni(ini);
    formInfo_.FixUp(!maskName_.empty());
    popupWindow_.ReadFromIni(ini);
    hintWindow_.ReadFromIni(ini);
    skinColors_.ReadFromIni(ini);
    ReadObjects(ini);
    ReadControls(ini);
}

void TbsSkinData::ReadVersion(const core::TMemIniFile& ini) {
    skinName_ = ini.ReadString("VERSION", "skinname", "");
    skinAuthor_ = ini.ReadString("VERSION", "skinauthor", "");
    authorEmail_ = ini.ReadString("VERSION", "authoremail", "");
    authorURL_ = ini.ReadString("VERSION", "authorurl", "");
    skinComments_ = ini.ReadString("VERSION", "skincomments", "");
}

void TbsSkinData::ReadPictureNames(const core::TMemIniFile& ini) {
    pictureName_ = ini.ReadString("PICTURES", "picture", "");
    inactivePictureName_ = ini.ReadString("PICTURES", "inactivepicture", "");
    maskName_ = ini.ReadString("PICTURES", "mask", "");
    int32_t count = ini.ReadInteger("PICTURES", "activepicturescount", 0);
    // Names past the last numeric key are all empty; keep the list no longer than the
    // pictures it runs beside, so a huge count cannot exhaust memory.
    int32_t limit =
        std::max(NumericKeyLimit(ini, "PICTURES"), static_cast<int32_t>(activePictures_.size()));
    count = std::min(count, limit);
    activePicturesNames_.clear();
    for (int32_t i = 0; i < count; ++i)
        activePicturesNames_.push_back(ini.ReadString("PICTURES", std::to_string(i), ""));
}

void TbsSkinData::ReadObjects(const core::TMemIniFile& ini) {
    int32_t count =
        std::min(ini.ReadInteger("SKINOBJECTS", "count", 0), NumericKeyLimit(ini, "SKINOBJECTS"));
    for (int32_t i = 0; i < count; ++i) {
        std::string name, type;
        if (!SplitEntry(ini.ReadString("SKINOBJECTS", std::to_string(i), ""), name, type)) continue;
        std::unique_ptr<TbsDataSkinObject> object = CreateSkinObject(type, name);
        if (!object) continue;
        objectList_.push_back(std::move(object));
        objectList_.back()->ReadFromIni(ini);
    }
}

void TbsSkinData::ReadControls(const core::TMemIniFile& ini) {
    int32_t count =
        std::min(ini.ReadInteger("SKINCONTROLS", "count", 0), NumericKeyLimit(ini, "SKINCONTROLS"));
    for (int32_t i = 0; i < count; ++i) {
        std::string name, type;
        if (!SplitEntry(ini.ReadString("SKINCONTROLS", std::to_string(i), ""), name, type))
            continue;
        std::unique_ptr<TbsDataSkinControl> control = CreateSkinControl(type, name);
        if (!control) continue;
        ctrlList_.push_back(std::move(control));
        ctrlList_.back()->ReadFromIni(ini);
    }
}

}  // namespace skin
