#include "skinctrls/shell_properties_box.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "core/format.h"
#include "platform/shell/file_info.h"
#include "platform/shell/file_operations.h"
#include "skin/skin_frame.h"
#include "skin/skin_menu_host.h"
#include "skinctrls/shell_folder_item.h"
#include "skinctrls/shell_list_view.h"
#include "skinctrls/skin_button.h"
#include "skinctrls/skin_std_label.h"
#include "ui/resource_strings.h"

namespace skinctrls {

namespace strings = ui::strings;

namespace {

constexpr int kRowHeight = 22;
constexpr int kValueLeft = 90;
constexpr int kBoxWidth = 380;

std::string GroupedDigits(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(size_t(i), ",");
    return digits;
}

std::string TimeText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// The skin of the window the list is on, for the box's own frame.
skin::TbsSkinData* FrameSkinOf(TbsCustomShellListView& list) {
    auto* frame = dynamic_cast<skin::TbsSkinFrame*>(skin::TbsSkinMenuHost::Find(&list));
    return frame != nullptr ? frame->SkinData() : nullptr;
}

}  // namespace

std::string SizeText(std::uint64_t bytes) {
    std::string exact = GroupedDigits(bytes) + " bytes";
    if (bytes < 1024) return exact;
    const char* units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.1f %s", value, units[unit]);
    return std::string(shown) + " (" + exact + ")";
}

TbsPropertiesBox::TbsPropertiesBox(TbsCustomShellListView& list, TbsShellFolder& item)
    : ui::TForm(nullptr) {
    SetBorderIcons(0);
    SetPosition(ui::TPosition::poScreenCenter);
    CollectRows(item);
    SetCaption(core::Format(strings::SPropertiesTitle, {item.ItemDisplayName()}));
    auto* frame = ui::Make<skin::TbsSkinFrame>(this);
    frame->SetBorderIcons(0);
    frame->SetSkinData(FrameSkinOf(list));
    frame->SetMenusSkinData(list.SkinData());
    int top = 12;
    for (const auto& [label, value] : rows_) {
        for (const auto& [left, text] : {std::pair{10, label}, std::pair{kValueLeft, value}}) {
            auto* shown = ui::Make<TbsSkinStdLabel>(this);
            shown->SetParent(this);
            shown->SetAutoSize(true);
            shown->SetSkinData(list.SkinData());
            shown->SetCaption(text);
            shown->SetBounds(left, top, shown->Width(), shown->Height());
        }
        top += kRowHeight;
    }
    auto* ok = ui::Make<TbsSkinButton>(this);
    ok->SetParent(this);
    ok->SetSkinData(list.SkinData());
    ok->SetCaption(strings::SBtnOk);
    ok->SetDefaultHeight(25);
    ok->SetBounds(kBoxWidth - 85, top + 8, 75, 25);
    ok->SetModalResult(ui::mrOk);
    ok->SetDefault(true);
    ok->SetCancel(true);
    SetClientSize(kBoxWidth, top + 45);
    SetActiveControl(ok);
}

void TbsPropertiesBox::CollectRows(TbsShellFolder& item) {
    const std::string path = item.ItemFileSystemPath();
    const platform::ItemProperties properties = platform::ReadItemProperties(path);
    const bool folder = item.ItemIsFolder() || properties.folder;
    const std::string name = item.ItemDisplayName();
    rows_.push_back({strings::SPropName, name});
    rows_.push_back({strings::SPropType, platform::TypeNameOf(name, folder)});
    const std::string location = path.empty() ? std::string() : path.substr(0, path.rfind('/'));
    rows_.push_back({strings::SPropLocation, location.empty() && !path.empty() ? "/" : location});
    if (!properties.exists) return;
    if (!folder) rows_.push_back({strings::SPropSize, SizeText(properties.size)});
    rows_.push_back({strings::SPropModified, TimeText(properties.modified)});
    if (folder) {
        rows_.push_back(
            {strings::SPropContains, std::to_string(properties.itemCount) +
                                         (properties.itemCount == 1 ? " item" : " items")});
    }
}

void ShowPropertiesBox(TbsCustomShellListView& list, TbsShellFolder& item) {
    auto box = std::make_unique<TbsPropertiesBox>(list, item);
    box->ShowModal();
}

}  // namespace skinctrls
