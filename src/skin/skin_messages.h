#pragma once
// The messages a skin data component sends to forms, and the receivers that get them.
#include <cstdint>
#include <vector>

namespace skin {

class TbsSkinData;

inline constexpr uint32_t kWmUser = 0x0400;
inline constexpr uint32_t WM_BEFORECHANGESKINDATA = kWmUser + 201;
inline constexpr uint32_t WM_CHANGESKINDATA = kWmUser + 202;
inline constexpr uint32_t WM_AFTERCHANGESKINDATA = kWmUser + 203;
inline constexpr uint32_t WM_CHANGERESSTRDATA = kWmUser + 250;
inline constexpr uint32_t WM_CHANGEFORMSKINNABLE = kWmUser + 270;
// The second parameter of every skin message.
inline constexpr int32_t kSkinMessageParam2 = 1000;

// A form as the skin data sees it: something that receives skin messages synchronously.
class TbsSkinMessageReceiver {
  public:
    virtual ~TbsSkinMessageReceiver() = default;
    virtual void SkinDataMessage(uint32_t message, TbsSkinData* skinData, int32_t param2) = 0;
};

// The screen's list of forms, in the order they registered.
class TbsSkinFormList {
  public:
    static TbsSkinFormList& Screen();
    void Add(TbsSkinMessageReceiver* form);
    void Remove(TbsSkinMessageReceiver* form);
    const std::vector<TbsSkinMessageReceiver*>& Forms() const { return forms_; }

  private:
    std::vector<TbsSkinMessageReceiver*> forms_;
};

}  // namespace skin
