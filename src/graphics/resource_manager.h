#pragma once
// Font, pen and brush handles are scarce and shared: each kind has a cache keyed by the bytes
// of the object's full description. Entries are reference counted; the platform object is
// created on first use and deleted with the last reference.
#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/gdi/wintypes.h"

namespace graphics {

// The cache's 16-bit hash: for each byte, rotate left by 5 bits, then XOR the byte in.
uint16_t ResourceHash(const uint8_t* data, size_t size);

class TResourceManager {
  public:
    struct Entry {
        Entry* next = nullptr;
        int refCount = 0;
        platform::HGDIOBJ handle = nullptr;
        uint16_t hash = 0;
        std::vector<uint8_t> data;
    };

    TResourceManager() = default;
    ~TResourceManager();
    TResourceManager(const TResourceManager&) = delete;
    TResourceManager& operator=(const TResourceManager&) = delete;

    // The entry for a description, shared when one exists (newest first), else new.
    Entry* Allocate(const void* data, size_t size);
    // Drops one reference; the last one unlinks the entry and deletes its platform object.
    void Free(Entry* entry);
    // Creating an entry's handle lazily happens under the cache's lock.
    std::mutex& Lock() { return lock_; }
    int EntryCount();

  private:
    Entry* head_ = nullptr;
    std::mutex lock_;
};

TResourceManager& FontManager();
TResourceManager& PenManager();
TResourceManager& BrushManager();

}  // namespace graphics
