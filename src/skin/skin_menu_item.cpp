#include "skin/skin_menu_item.h"

namespace skin {

bool TbsSkinMenuItem::IsHeading() const {
    const std::string& caption = MenuItem->Caption();
    return !MenuItem->Enabled() && caption.size() > 1 && caption.front() == '-' &&
           caption.back() == '-';
}

char TbsSkinMenuItem::Accelerator() const {
    const std::string& caption = MenuItem->Caption();
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        const char next = caption[i + 1];
        if (next == '&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(next) >= 0x80) return 0;  // not reachable by a key
        return (next >= 'a' && next <= 'z') ? char(next - 'a' + 'A') : next;
    }
    return 0;
}

std::string TbsSkinMenuItem::CaptionText() const {
    const std::string& caption = MenuItem->Caption();
    return caption.substr(0, caption.find('\t'));
}

std::string TbsSkinMenuItem::ShortCutText() const {
    const std::string& caption = MenuItem->Caption();
    const size_t tab = caption.find('\t');
    return tab == std::string::npos ? std::string() : caption.substr(tab + 1);
}

}  // namespace skin
