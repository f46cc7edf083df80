// Device contexts of windows: each draws into its top-level window's backing bitmap, at the
// window's place, limited to the part of the window that is visible (ancestors' client areas,
// siblings above it, window regions, and children when clipping them).
#include "platform/gdi/gdi_object.h"
#include "platform/user/window.h"

namespace platform {

namespace {

Region WindowArea(const Window* window, POINT origin) {
    Region area{RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()}};
    if (window->hasRegion) {
        Region shape = window->region;
        shape.Offset(origin.x, origin.y);
        area.Intersect(shape);
    }
    return area;
}

std::vector<std::pair<HDC, HWND>>& DcOwners() {
    static std::vector<std::pair<HDC, HWND>> owners;
    return owners;
}

HDC HookGetDC(HWND window) {
    return GetDCEx(window, nullptr, 0);
}

int HookReleaseDC(HWND, HDC dc) {
    // What the DC covered has been marked changed; the next present shows it.
    return DeleteDC(dc) ? 1 : 0;
}

}  // namespace

void InstallWindowDcHooks() {
    static const bool installed = [] {
        SetWindowDcHooks(HookGetDC, HookReleaseDC);
        return true;
    }();
    (void)installed;
}

Region VisibleRegion(const Window* window, bool clientOnly, bool clipChildren) {
    if (!IsVisibleChain(window)) return Region();
    const POINT origin = SurfaceOrigin(window);
    Region visible = WindowArea(window, origin);
    if (clientOnly) {
        visible.Intersect(RECT{origin.x + window->client.left, origin.y + window->client.top,
                               origin.x + window->client.right, origin.y + window->client.bottom});
    }
    for (const Window* child = window; child->parent != nullptr; child = child->parent) {
        const Window* parent = child->parent;
        const POINT po = SurfaceOrigin(parent);
        visible.Intersect(RECT{po.x + parent->client.left, po.y + parent->client.top,
                               po.x + parent->client.right, po.y + parent->client.bottom});
        if (parent->hasRegion) visible.Intersect(WindowArea(parent, po));
        // Siblings above this window in the z-order cover it.
        for (const Window* sibling : parent->children) {
            if (sibling == child) break;
            if (sibling->style & WS_VISIBLE)
                visible.Subtract(WindowArea(sibling, SurfaceOrigin(sibling)));
        }
    }
    if (clipChildren) {
        for (const Window* c : window->children) {
            if (c->style & WS_VISIBLE) visible.Subtract(WindowArea(c, SurfaceOrigin(c)));
        }
    }
    return visible;
}

HDC MakeWindowDC(Window* window, bool whole, const Region* clip) {
    InstallWindowDcHooks();
    Window* root = Root(window);
    EnsureSurface(root);
    if (root->surface == nullptr) return nullptr;
    Region visible = VisibleRegion(window, !whole, (window->style & WS_CLIPCHILDREN) != 0);
    if (clip != nullptr) visible.Intersect(*clip);
    HRGN handle = CreateRectRgn(0, 0, 0, 0);
    auto* object = ResolveObject<RegionObject>(handle);
    if (object == nullptr) return nullptr;
    object->Get() = visible;
    POINT origin = SurfaceOrigin(window);
    if (!whole) {
        origin.x += window->client.left;
        origin.y += window->client.top;
    }
    HDC dc = CreateSurfaceDC(root->surface, origin, handle);
    DeleteObject(handle);
    if (dc == nullptr) return nullptr;
    TrackWindowDc(dc, root->handle, visible.Bounds());
    auto& owners = DcOwners();
    std::erase_if(owners, [](const auto& entry) { return GetObjectType(entry.first) == 0; });
    owners.emplace_back(dc, window->handle);
    return dc;
}

HDC GetDCEx(HWND handle, HRGN clip, DWORD flags) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return nullptr;
    Region extra;
    const Region* extraPtr = nullptr;
    if (clip != nullptr && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        auto* object = ResolveObject<RegionObject>(clip);
        if (object != nullptr) {
            // The clip region is in the DC's own coordinates; the visible region in surface pixels.
            POINT origin = SurfaceOrigin(window);
            if (!(flags & DCX_WINDOW)) {
                origin.x += window->client.left;
                origin.y += window->client.top;
            }
            Region given = object->Get();
            given.Offset(origin.x, origin.y);
            if (flags & DCX_INTERSECTRGN) {
                extra = given;
            } else {
                extra = Region{RECT{-0x4000000, -0x4000000, 0x4000000, 0x4000000}};
                extra.Subtract(given);
            }
            extraPtr = &extra;
        }
    }
    return MakeWindowDC(window, (flags & DCX_WINDOW) != 0, extraPtr);
}

HDC GetWindowDC(HWND handle) {
    return GetDCEx(handle, nullptr, DCX_WINDOW);
}

HWND WindowFromDC(HDC dc) {
    for (const auto& [owned, window] : DcOwners()) {
        if (owned == dc && GetObjectType(dc) != 0) return window;
    }
    return nullptr;
}

int SetWindowRgn(HWND handle, HRGN region, BOOL redraw) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return 0;
    auto* object = region != nullptr ? ResolveObject<RegionObject>(region) : nullptr;
    if (region != nullptr && object == nullptr) return 0;
    const bool visible = IsVisibleChain(window);
    if (visible && window->parent != nullptr) {
        Region old{window->rect};  // in the parent's client coordinates
        InvalidateWindow(window->parent, &old, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (window->regionHandle != nullptr && window->regionHandle != region)
        DeleteObject(window->regionHandle);
    window->regionHandle = region;  // the window owns the region from now on
    window->hasRegion = object != nullptr;
    window->region = object != nullptr ? object->Get() : Region();
    if (window->hostId != 0) {
        std::vector<HostRect> rects;
        if (window->hasRegion) {
            for (const RECT& r : window->region.Rects())
                rects.push_back(HostRect{r.left, r.top, r.right, r.bottom});
            if (rects.empty())
                rects.push_back(HostRect{0, 0, 0, 0});  // an empty region hides everything
        }
        CurrentHost().SetWindowShape(window->hostId, rects);
    }
    if (redraw && visible)
        InvalidateWindow(window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND handle, HRGN region) {
    Window* window = FromHandle(handle);
    auto* object = ResolveObject<RegionObject>(region);
    if (window == nullptr || object == nullptr || !window->hasRegion) return ERROR;
    object->Get() = window->region;
    return window->region.Complexity();
}

}  // namespace platform
