#include "graphics/resource_manager.h"

#include <cstring>

#include "platform/gdi/gdi.h"

namespace graphics {

uint16_t ResourceHash(const uint8_t* data, size_t size) {
    uint16_t hash = 0;
    for (size_t i = 0; i < size; ++i) {
        hash = static_cast<uint16_t>((hash << 5) | (hash >> 11));
        hash ^= data[i];
    }
    return hash;
}

TResourceManager::~TResourceManager() {
    // Entries still referenced at exit belong to objects being torn down with the process.
    while (head_) {
        Entry* next = head_->next;
        if (head_->handle) platform::DeleteObject(head_->handle);
        delete head_;
        head_ = next;
    }
}

TResourceManager::Entry* TResourceManager::Allocate(const void* data, size_t size) {
    auto* bytes = static_cast<const uint8_t*>(data);
    uint16_t hash = ResourceHash(bytes, size);
    std::lock_guard guard(lock_);
    for (Entry* e = head_; e != nullptr; e = e->next) {
        if (e->hash == hash && e->data.size() == size &&
            std::memcmp(e->data.data(), bytes, size) == 0) {
            ++e->refCount;
            return e;
        }
    }
    auto* entry = new Entry;
    entry->refCount = 1;
    entry->hash = hash;
    entry->data.assign(bytes, bytes + size);
    entry->next = head_;
    head_ = entry;
    return entry;
}

void TResourceManager::Free(Entry* entry) {
    if (entry == nullptr) return;
    platform::HGDIOBJ handle = nullptr;
    {
        std::lock_guard guard(lock_);
        if (--entry->refCount > 0) return;
        for (Entry** link = &head_; *link != nullptr; link = &(*link)->next) {
            if (*link == entry) {
                *link = entry->next;
                break;
            }
        }
        handle = entry->handle;
        delete entry;
    }
    if (handle) platform::DeleteObject(handle);
}

int TResourceManager::EntryCount() {
    std::lock_guard guard(lock_);
    int count = 0;
    for (Entry* e = head_; e != nullptr; e = e->next) ++count;
    return count;
}

TResourceManager& FontManager() {
    static TResourceManager manager;
    return manager;
}

TResourceManager& PenManager() {
    static TResourceManager manager;
    return manager;
}

TResourceManager& BrushManager() {
    static TResourceManager manager;
    return manager;
}

}  // namespace graphics
