#include "platform/shell/item_id_list.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

USHORT RecordSize(const void* at) {
    USHORT cb;
    std::memcpy(&cb, at, sizeof cb);  // records need not be aligned
    return cb;
}

// A record too small for its own size field ends the list, like the terminator.
bool AtEnd(LPCITEMIDLIST list) {
    return RecordSize(list) < sizeof(USHORT);
}

const BYTE* Bytes(LPCITEMIDLIST list) {
    return reinterpret_cast<const BYTE*>(list);
}

// Bytes of the records before the terminator.
std::size_t BodySize(LPCITEMIDLIST list) {
    std::size_t total = 0;
    for (LPCITEMIDLIST p = list; p != nullptr && !AtEnd(p); p = ILGetNext(p)) {
        total += RecordSize(p);
    }
    return total;
}

LPITEMIDLIST CopyBody(const BYTE* body, std::size_t bytes) {
    auto* out = static_cast<BYTE*>(SHAlloc(bytes + sizeof(USHORT)));
    if (out == nullptr) return nullptr;
    if (bytes > 0) std::memcpy(out, body, bytes);  // the terminator is already zero
    return reinterpret_cast<LPITEMIDLIST>(out);
}

}  // namespace

void* SHAlloc(std::size_t bytes) {
    return std::calloc(1, bytes == 0 ? 1 : bytes);
}

void SHFree(void* block) {
    std::free(block);
}

UINT ILGetSize(LPCITEMIDLIST list) {
    if (list == nullptr) return 0;
    return static_cast<UINT>(BodySize(list) + sizeof(USHORT));
}

UINT ILGetCount(LPCITEMIDLIST list) {
    UINT count = 0;
    for (LPCITEMIDLIST p = list; p != nullptr && !AtEnd(p); p = ILGetNext(p)) ++count;
    return count;
}

LPCITEMIDLIST ILGetNext(LPCITEMIDLIST list) {
    if (list == nullptr || AtEnd(list)) return nullptr;
    return reinterpret_cast<LPCITEMIDLIST>(Bytes(list) + RecordSize(list));
}

bool ILIsEmpty(LPCITEMIDLIST list) {
    return list == nullptr || AtEnd(list);
}

LPCITEMIDLIST ILFindLastID(LPCITEMIDLIST list) {
    if (list == nullptr) return nullptr;
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST p = list; !AtEnd(p); p = ILGetNext(p)) last = p;
    return last;
}

LPITEMIDLIST ILClone(LPCITEMIDLIST list) {
    if (list == nullptr) return nullptr;
    return CopyBody(Bytes(list), BodySize(list));
}

LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list) {
    if (list == nullptr) return nullptr;
    return CopyBody(Bytes(list), AtEnd(list) ? 0 : RecordSize(list));
}

LPITEMIDLIST ILCloneLast(LPCITEMIDLIST list) {
    return ILCloneFirst(ILFindLastID(list));
}

LPITEMIDLIST ILCloneParent(LPCITEMIDLIST list) {
    if (list == nullptr) return nullptr;
    std::size_t body = BodySize(list);
    if (body > 0) body -= RecordSize(ILFindLastID(list));
    return CopyBody(Bytes(list), body);
}

LPITEMIDLIST ILCombine(LPCITEMIDLIST parent, LPCITEMIDLIST relative) {
    const std::size_t first = parent ? BodySize(parent) : 0;
    const std::size_t second = relative ? BodySize(relative) : 0;
    auto* out = static_cast<BYTE*>(SHAlloc(first + second + sizeof(USHORT)));
    if (out == nullptr) return nullptr;
    if (first > 0) std::memcpy(out, Bytes(parent), first);
    if (second > 0) std::memcpy(out + first, Bytes(relative), second);
    return reinterpret_cast<LPITEMIDLIST>(out);
}

LPITEMIDLIST ILCreateRecord(std::string_view data) {
    const std::size_t cb = data.size() + sizeof(USHORT);
    if (cb > 0xFFFF) return nullptr;
    auto* out = static_cast<BYTE*>(SHAlloc(cb + sizeof(USHORT)));
    if (out == nullptr) return nullptr;
    const USHORT size = static_cast<USHORT>(cb);
    std::memcpy(out, &size, sizeof size);
    if (!data.empty()) std::memcpy(out + sizeof size, data.data(), data.size());
    return reinterpret_cast<LPITEMIDLIST>(out);
}

BOOL ILRemoveLastID(LPITEMIDLIST list) {
    if (ILIsEmpty(list)) return FALSE;
    auto* last = const_cast<BYTE*>(Bytes(ILFindLastID(list)));
    std::memset(last, 0, sizeof(USHORT));
    return TRUE;
}

bool ILIsEqualBytes(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (a == nullptr || b == nullptr) return a == b;
    const std::size_t sa = BodySize(a);
    return sa == BodySize(b) && std::memcmp(a, b, sa) == 0;
}

std::string_view ILRecordData(LPCITEMIDLIST record) {
    if (ILIsEmpty(record)) return {};
    return {reinterpret_cast<const char*>(Bytes(record)) + sizeof(USHORT),
            RecordSize(record) - sizeof(USHORT)};
}

bool ILIsValid(const void* data, std::size_t bytes) {
    if (data == nullptr) return false;
    const auto* p = static_cast<const BYTE*>(data);
    std::size_t at = 0;
    while (at + sizeof(USHORT) <= bytes) {
        const USHORT cb = RecordSize(p + at);
        if (cb == 0) return true;
        if (cb < sizeof(USHORT)) return false;
        at += cb;
    }
    return false;
}

std::vector<ItemIdListPtr> ILAncestorChain(LPCITEMIDLIST list) {
    std::vector<ItemIdListPtr> chain;
    std::size_t body = 0;
    for (LPCITEMIDLIST p = list; p != nullptr && !AtEnd(p); p = ILGetNext(p)) {
        body += RecordSize(p);
        chain.emplace_back(CopyBody(Bytes(list), body));
    }
    return chain;
}

}  // namespace platform
