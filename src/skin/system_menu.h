#pragma once
// The frame's system menu: the items that apply to the window's state, with their captions
// from the resource-string component or the program's own texts.
#include <functional>
#include <string>

#include "skin/resource_str_data.h"
#include "ui/menus.h"

namespace skin {

enum class TbsSysMenuCommand { Minimize, Restore, Maximize, RollUp, MinimizeToTray, Close };

struct TbsSystemMenuState {
    bool minimizeIcon = false, maximizeIcon = false, rollUpIcon = false, trayIcon = false;
    bool minimized = false, maximized = false, rolledUp = false;
    bool mdiChild = false;
};

// Replaces the items under `root` (owned by `owner`) with those that apply; each item runs
// `command` when clicked. The close item shows its shortcut after a tab in its caption.
void BuildSystemMenu(ui::TMenuItem& root, ui::TComponent* owner, const TbsSystemMenuState& state,
                     const TbsResourceStrData* strings,
                     const std::function<void(TbsSysMenuCommand)>& command);

}  // namespace skin
