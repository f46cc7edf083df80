// The handle table behind every drawing-service handle (internal to the platform layer).
//
// A handle encodes a slot index and the slot's generation: once an object is deleted its
// slot's generation moves on, so an old handle never resolves again, and a value that was
// never a handle (a foreign pointer, a small integer) fails the tag and range checks.
//
// Other files of this layer add their own object kinds by deriving from GdiObject:
//
//   class FontObject final : public GdiObject {
//    public:
//     static constexpr DWORD kObjectType = OBJ_FONT;
//     FontObject() : GdiObject(kObjectType) {}
//     int Describe(int size, void* buffer) const override;  // GetObject
//   };
//   HFONT h = RegisterObject<HFONT>(std::make_unique<FontObject>(...));
//   FontObject* font = ResolveObject<FontObject>(h);  // nullptr when stale or not a font
//
// The table is guarded by a mutex, so threads may create and delete their own objects.
#pragma once

#include <atomic>
#include <memory>

#include "platform/gdi/wintypes.h"

namespace platform {

// Kinds beyond the OBJ_* values: objects that live in the same table but are not GDI
// objects for GetObjectType / DeleteObject (icons belong to the window services on Windows).
inline constexpr DWORD kObjIcon = 0x1001;

class GdiObject {
  public:
    explicit GdiObject(DWORD kind) : kind_(kind) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    DWORD Kind() const { return kind_; }

    // GetObject: with buffer == nullptr return the size needed; otherwise copy at most `size`
    // bytes of the object's description and return the bytes written (0 = failure).
    virtual int Describe(int size, void* buffer) const {
        (void)size;
        (void)buffer;
        return 0;
    }

    // Whether DeleteObject may free the object now (a bitmap selected into a DC may not).
    virtual bool CanDelete() const { return selectCount_.load() == 0 || kind_ != OBJ_BITMAP; }

    // Selection into device contexts, counted so a selected bitmap is not deleted under a DC.
    void AddSelection() { selectCount_.fetch_add(1); }
    void RemoveSelection() { selectCount_.fetch_sub(1); }
    int SelectionCount() const { return selectCount_.load(); }

    bool IsStock() const { return stock_; }
    void MarkStock() { stock_ = true; }

  private:
    DWORD kind_;
    bool stock_ = false;
    std::atomic<int> selectCount_{0};
};

namespace detail {
HGDIOBJ RegisterObjectRaw(std::unique_ptr<GdiObject> object);
// `kind` 0 accepts any kind; OBJ_DC accepts every kind of device context.
GdiObject* ResolveRaw(const void* handle, DWORD kind);
}  // namespace detail

// Puts `object` into the table and returns its handle (nullptr if the table is full).
template <class Handle>
Handle RegisterObject(std::unique_ptr<GdiObject> object) {
    return static_cast<Handle>(detail::RegisterObjectRaw(std::move(object)));
}

// The live object behind `handle` if it is of T's kind, else nullptr.
template <class T>
T* ResolveObject(const void* handle) {
    return dynamic_cast<T*>(detail::ResolveRaw(handle, T::kObjectType));
}

inline GdiObject* ResolveAny(const void* handle) {
    return detail::ResolveRaw(handle, 0);
}

// Removes the object from the table and frees it; false when the handle is not live or the
// object is a stock object (stock objects stay alive).
bool DestroyObject(const void* handle);

// Marks a registered object as stock: never freed, not counted by LiveGdiObjectCount.
void MarkStockObject(const void* handle);

// The stock font for GetStockObject's font indices (SYSTEM_FONT, DEFAULT_GUI_FONT, ...),
// made by the font files (font_object.cpp).
HGDIOBJ CreateStockFont(int index);

}  // namespace platform
