// The handle table: slots with generations, guarded by one mutex.
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_object.h"

namespace platform {
namespace {

// Handle value layout (64-bit): generation in the high 32 bits, slot index in bits 8..31,
// a fixed tag in the low byte so that small integers and aligned pointers never match.
static_assert(sizeof(void*) == 8, "handles carry a 32-bit generation");
constexpr std::uintptr_t kTag = 0x5B;
constexpr std::uint32_t kMaxSlots = 1u << 22;

struct Slot {
    std::unique_ptr<GdiObject> object;
    std::uint32_t generation = 1;
};

struct Table {
    std::mutex mutex;
    std::vector<Slot> slots;
    std::vector<std::uint32_t> freeSlots;
    int liveCount = 0;
};

Table& TheTable() {
    static Table* table = new Table;  // never destroyed: handles may be released at exit
    return *table;
}

void* MakeHandle(std::uint32_t index, std::uint32_t generation) {
    std::uintptr_t value = (std::uintptr_t(generation) << 32) | (std::uintptr_t(index) << 8) | kTag;
    return reinterpret_cast<void*>(value);
}

// Slot of a handle under the table lock, or nullptr.
Slot* FindSlot(Table& table, const void* handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if ((value & 0xFF) != kTag) return nullptr;
    auto index = std::uint32_t((value >> 8) & 0xFFFFFF);
    auto generation = std::uint32_t(value >> 32);
    if (index >= table.slots.size()) return nullptr;
    Slot& slot = table.slots[index];
    if (!slot.object || slot.generation != generation) return nullptr;
    return &slot;
}

bool KindMatches(DWORD actual, DWORD wanted) {
    if (wanted == 0 || actual == wanted) return true;
    if (wanted == OBJ_DC) return actual == OBJ_MEMDC || actual == OBJ_ENHMETADC;
    return false;
}

}  // namespace

namespace detail {

HGDIOBJ RegisterObjectRaw(std::unique_ptr<GdiObject> object) {
    if (!object) return nullptr;
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    std::uint32_t index;
    if (!table.freeSlots.empty()) {
        index = table.freeSlots.back();
        table.freeSlots.pop_back();
    } else {
        if (table.slots.size() >= kMaxSlots) return nullptr;
        index = std::uint32_t(table.slots.size());
        table.slots.emplace_back();
    }
    Slot& slot = table.slots[index];
    slot.object = std::move(object);
    ++table.liveCount;
    return MakeHandle(index, slot.generation);
}

GdiObject* ResolveRaw(const void* handle, DWORD kind) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    Slot* slot = FindSlot(table, handle);
    if (!slot || !KindMatches(slot->object->Kind(), kind)) return nullptr;
    return slot->object.get();
}

}  // namespace detail

bool DestroyObject(const void* handle) {
    std::unique_ptr<GdiObject> doomed;
    {
        Table& table = TheTable();
        std::lock_guard lock(table.mutex);
        Slot* slot = FindSlot(table, handle);
        if (!slot || slot->object->IsStock()) return false;
        doomed = std::move(slot->object);
        ++slot->generation;
        if (slot->generation == 0) slot->generation = 1;
        table.freeSlots.push_back(
            std::uint32_t((reinterpret_cast<std::uintptr_t>(handle) >> 8) & 0xFFFFFF));
        --table.liveCount;
    }
    // Destructors may release other handles (a DC its selections): run them unlocked.
    doomed.reset();
    return true;
}

void MarkStockObject(const void* handle) {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    if (Slot* slot = FindSlot(table, handle)) {
        if (!slot->object->IsStock()) --table.liveCount;
        slot->object->MarkStock();
    }
}

int LiveGdiObjectCount() {
    Table& table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.liveCount;
}

}  // namespace platform
