#include "skin/skin_messages.h"

#include <algorithm>

namespace skin {

TbsSkinFormList& TbsSkinFormList::Screen() {
    static TbsSkinFormList screen;
    return screen;
}

void TbsSkinFormList::Add(TbsSkinMessageReceiver* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TbsSkinFormList::Remove(TbsSkinMessageReceiver* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

}  // namespace skin
