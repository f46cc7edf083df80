#include "skin/system_menu.h"

#include "skin/skin_strings.h"

namespace skin {

namespace {

std::string Text(const TbsResourceStrData* strings, const char* name, const char* fallback) {
    if (strings == nullptr) return fallback;
    std::string text = strings->GetResStr(name);
    return text.empty() ? std::string(fallback) : text;
}

}  // namespace

void BuildSystemMenu(ui::TMenuItem& root, ui::TComponent* owner, const TbsSystemMenuState& s,
                     const TbsResourceStrData* strings,
                     const std::function<void(TbsSysMenuCommand)>& command) {
    while (root.Count() > 0) {
        ui::TMenuItem* item = root.Items(root.Count() - 1);
        root.Remove(item);
        delete item;
    }
    auto add = [&](const char* name, const std::string& caption, TbsSysMenuCommand which) {
        auto* item = ui::Make<ui::TMenuItem>(owner);
        item->SetName(name);
        item->SetCaption(caption);
        item->OnClick = [command, which](ui::TComponent*) { command(which); };
        root.Add(item);
        return item;
    };
    const bool normal = !s.minimized && !s.maximized;
    if (s.minimizeIcon && !s.minimized)
        add("BSF_MINITEM", Text(strings, "MI_MINCAPTION", strings::BS_MI_MINCAPTION),
            TbsSysMenuCommand::Minimize);
    if (s.maximized || s.minimized || s.rolledUp)
        add("BSF_RESTORE", Text(strings, "MI_RESTORECAPTION", strings::BS_MI_RESTORECAPTION),
            TbsSysMenuCommand::Restore);
    if (s.maximizeIcon && !s.maximized)
        add("BSF_MAXITEM", Text(strings, "MI_MAXCAPTION", strings::BS_MI_MAXCAPTION),
            TbsSysMenuCommand::Maximize);
    if (s.rollUpIcon && normal && !s.rolledUp)
        add("BSF_ROLLUP", Text(strings, "MI_ROLLUPCAPTION", strings::BS_MI_ROLLUPCAPTION),
            TbsSysMenuCommand::RollUp);
    if (s.trayIcon)
        add("BSF_MINTOTRAY", Text(strings, "MI_MINTOTRAYCAPTION", strings::BS_MI_MINTOTRAYCAPTION),
            TbsSysMenuCommand::MinimizeToTray);
    add("BSF_CLOSE",
        Text(strings, "MI_CLOSECAPTION", strings::BS_MI_CLOSECAPTION) + "\t" +
            (s.mdiChild ? "Ctrl+F4" : "Alt+F4"),
        TbsSysMenuCommand::Close);
}

}  // namespace skin
