#pragma once
// The parsed skin: pictures, global sections and the two catalogues of named skin objects,
// loaded from a stored skin package and announced to every form by message.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "skin/compressed_stored_skin.h"
#include "skin/resource_str_data.h"
#include "skin/skin_controls.h"
#include "skin/skin_globals.h"
#include "skin/skin_messages.h"
#include "skin/skin_objects.h"
#include "skin/skin_picture.h"
#include "ui/component.h"

namespace skin {

// A component of its form, so that skinned controls can ask to hear when it goes away.
class TbsSkinData : public ui::TComponent {
  public:
    explicit TbsSkinData(ui::TComponent* owner = nullptr);
    ~TbsSkinData() override;

    const char* ClassName() const override { return "TbsSkinData"; }

    TbsComponentState& State() { return state_; }
    // The form that owns this component; it hears every message first.
    void SetOwnerForm(TbsSkinMessageReceiver* form) { ownerForm_ = form; }

    // ---- published properties ----
    bool SkinnableForm() const { return skinnableForm_; }
    void SetSkinnableForm(bool value);
    bool EnableSkinEffects() const { return enableSkinEffects_; }
    void SetEnableSkinEffects(bool value) { enableSkinEffects_ = value; }
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return storedSkin_; }
    void SetCompressedStoredSkin(TbsCompressedStoredSkin* value);
    TbsResourceStrData* ResourceStrData() const { return resourceStrData_; }
    void SetResourceStrData(TbsResourceStrData* value);
    TbsCompressedSkinList* SkinList() const { return skinList_; }
    void SetSkinList(TbsCompressedSkinList* value);
    int32_t SkinIndex() const { return skinIndex_; }
    void SetSkinIndex(int32_t value);
    // A referenced package, list or string table is going away: forget it (the parsed skin
    // stays). A reference that is a component of a form is forgotten this way when that
    // component is freed.
    void ForgetReference(const void* removed);

    // ---- run-time state ----
    bool Empty() const { return empty_; }
    bool ChangingSkin() const { return changingSkin_; }
    const std::string& SkinName() const { return skinName_; }
    const std::string& SkinAuthor() const { return skinAuthor_; }
    const std::string& AuthorEmail() const { return authorEmail_; }
    const std::string& AuthorURL() const { return authorURL_; }
    const std::string& SkinComments() const { return skinComments_; }

    const TbsSkinPicture& FramePicture() const { return framePicture_; }
    const TbsSkinPicture& InactiveFramePicture() const { return inactiveFramePicture_; }
    const TbsSkinPicture& FrameMask() const { return frameMask_; }
    const std::string& PictureName() const { return pictureName_; }
    const std::string& InactivePictureName() const { return inactivePictureName_; }
    const std::string& MaskName() const { return maskName_; }
    const std::vector<std::unique_ptr<TbsSkinPicture>>& ActivePictures() const {
        return activePictures_;
    }
    // The active picture of an index, or null when the index names none.
    const TbsSkinPicture* ActivePicture(int32_t index) const;
    const std::vector<std::string>& ActivePicturesNames() const { return activePicturesNames_; }

    const TbsSkinFormInfo& FormInfo() const { return formInfo_; }
    const TbsDataSkinPopupWindow& PopupWindow() const { return popupWindow_; }
    const TbsDataSkinHintWindow& HintWindow() const { return hintWindow_; }
    const TbsSkinColors& SkinColors() const { return skinColors_; }

    const std::vector<std::unique_ptr<TbsDataSkinObject>>& ObjectList() const {
        return objectList_;
    }
    const std::vector<std::unique_ptr<TbsDataSkinControl>>& CtrlList() const { return ctrlList_; }
    // Exact, case-sensitive search by IDName from the start; -1 when none matches.
    int GetIndex(std::string_view name) const;
    int GetControlIndex(std::string_view name) const;

    // ---- operations ----
    void LoadCompressedSkin(TbsCompressedStoredSkin& storedSkin);
    // Parses the text of a package into the sections and catalogues.
    void LoadFromIni(const core::TMemIniFile& ini);
    void ClearSkin();
    void SendSkinDataMessage(uint32_t message);

  protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

  private:
    // Follows the component behind a reference (null when it is none) so that its removal
    // is heard.
    void Watch(ui::TComponent*& slot, ui::TComponent* component);
    void LoadPictures(const std::vector<uint8_t>& package);
    void ReadVersion(const core::TMemIniFile& ini);
    void ReadPictureNames(const core::TMemIniFile& ini);
    void ReadObjects(const core::TMemIniFile& ini);
    void ReadControls(const core::TMemIniFile& ini);

    TbsComponentState state_;
    TbsSkinMessageReceiver* ownerForm_ = nullptr;

    bool skinnableForm_ = true;
    bool enableSkinEffects_ = true;
    TbsCompressedStoredSkin* storedSkin_ = nullptr;
    TbsResourceStrData* resourceStrData_ = nullptr;
    TbsCompressedSkinList* skinList_ = nullptr;
    int32_t skinIndex_ = 0;
    // The same three references as components, while they are ones.
    ui::TComponent* storedSkinComponent_ = nullptr;
    ui::TComponent* resourceStrComponent_ = nullptr;
    ui::TComponent* skinListComponent_ = nullptr;

    bool empty_ = true;
    bool changingSkin_ = false;
    std::string skinName_, skinAuthor_, authorEmail_, authorURL_, skinComments_;
    TbsSkinPicture framePicture_, inactiveFramePicture_, frameMask_;
    std::string pictureName_, inactivePictureName_, maskName_;
    std::vector<std::unique_ptr<TbsSkinPicture>> activePictures_;
    std::vector<std::string> activePicturesNames_;
    TbsSkinFormInfo formInfo_;
    TbsDataSkinPopupWindow popupWindow_;
    TbsDataSkinHintWindow hintWindow_;
    TbsSkinColors skinColors_;
    std::vector<std::unique_ptr<TbsDataSkinObject>> objectList_;
    std::vector<std::unique_ptr<TbsDataSkinControl>> ctrlList_;
};

}  // namespace skin
