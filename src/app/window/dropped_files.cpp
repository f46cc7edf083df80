#include "app/window/dropped_files.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace app {

namespace {

struct DropFinisher {
    void operator()(platform::HDROP__* drop) const { platform::DragFinish(drop); }
};

std::string DroppedName(platform::HDROP drop, platform::UINT index) {
    std::string name(platform::DragQueryFile(drop, index, nullptr, 0), '\0');
    platform::DragQueryFile(drop, index, name.data(), platform::UINT(name.size() + 1));
    return name;
}

}  // namespace

std::string FirstDroppedFile(platform::HDROP drop) {
    const std::unique_ptr<platform::HDROP__, DropFinisher> owned(drop);
    const platform::UINT count = platform::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (platform::UINT index = 0; index < count; ++index) {
        std::string name = DroppedName(drop, index);
        std::error_code error;
        if (!name.empty() && !std::filesystem::is_directory(name, error)) return name;
    }
    return {};
}

}  // namespace app
