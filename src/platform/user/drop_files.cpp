// Dropped files: the host's drop becomes WM_DROPFILES at the window that accepts files under
// the pointer, with a drop handle the window reads the names from and then frees.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/user/input_internal.h"
#include "platform/user/queue_internal.h"
#include "platform/user/window.h"

namespace platform {

namespace {

struct DropObject {
    std::vector<std::string> files;
    POINT point{0, 0};  // client coordinates of the receiving window
    bool nonClient = false;
};

struct DropTable {
    std::map<HDROP, DropObject> drops;
    std::uintptr_t next = 0x00D70000;
};

DropTable& Drops() {
    static DropTable table;
    return table;
}

const DropObject* Resolve(HDROP drop) {
    auto it = Drops().drops.find(drop);
    return it == Drops().drops.end() ? nullptr : &it->second;
}

bool AcceptsFiles(const Window& window) {
    return (window.exStyle & WS_EX_ACCEPTFILES) && !(window.style & WS_DISABLED);
}

// The window under the point, or its nearest ancestor, that accepts files. When the point is
// over none of ours (a host may not know where the pointer is), the host window's top level.
Window* DropTarget(const HostEvent& event) {
    Window* window = WindowAtPoint(POINT{event.x, event.y}, true);
    if (window == nullptr) {
        for (Window* top : State().topLevels)
            if (top->hostId == event.window && event.window != 0) window = top;
    }
    for (; window != nullptr; window = window->parent)
        if (AcceptsFiles(*window)) return window;
    return nullptr;
}

}  // namespace

void CookDrop(const HostEvent& event, std::deque<MSG>& out) {
    if (event.files.empty()) return;
    Window* target = DropTarget(event);
    if (target == nullptr) return;
    DropObject drop;
    drop.files = event.files;
    drop.point = POINT{event.x, event.y};
    ScreenToClient(target->handle, &drop.point);
    RECT client{};
    GetClientRect(target->handle, &client);
    drop.nonClient = !PtInRect(&client, drop.point);
    const HDROP handle = reinterpret_cast<HDROP>(Drops().next++);
    Drops().drops.emplace(handle, std::move(drop));
    out.push_back(
        MSG{target->handle, WM_DROPFILES, WPARAM(handle), 0, QueueTime(), POINT{event.x, event.y}});
}

void ResetDrops() {
    Drops().drops.clear();
}

void DragAcceptFiles(HWND handle, BOOL accept) {
    Window* window = FromHandle(handle);
    if (window == nullptr) return;
    if (accept)
        window->exStyle |= WS_EX_ACCEPTFILES;
    else
        window->exStyle &= ~WS_EX_ACCEPTFILES;
}

UINT DragQueryFile(HDROP handle, UINT index, char* buffer, UINT size) {
    const DropObject* drop = Resolve(handle);
    if (drop == nullptr) return 0;
    if (index == 0xFFFFFFFF) return UINT(drop->files.size());
    if (index >= drop->files.size()) return 0;
    const std::string& name = drop->files[index];
    if (buffer == nullptr) return UINT(name.size());
    if (size == 0) return 0;
    const size_t copied = std::min<size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), copied);
    buffer[copied] = '\0';
    return UINT(copied);
}

BOOL DragQueryPoint(HDROP handle, POINT* point) {
    const DropObject* drop = Resolve(handle);
    if (drop == nullptr) return FALSE;
    if (point != nullptr) *point = drop->point;
    return drop->nonClient ? TRUE : FALSE;
}

void DragFinish(HDROP handle) {
    Drops().drops.erase(handle);
}

}  // namespace platform
