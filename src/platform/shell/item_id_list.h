#pragma once
// Item id lists and the task allocator they live in. A list is a run of records, each a 16-bit
// size that counts itself followed by data, ended by a 16-bit zero. A record whose size is 1
// (too small to hold its own size field) is malformed and ends the list wherever it appears, so
// no routine here walks backwards or in place.
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/shell/shlobj.h"

namespace platform {

// The task allocator: blocks come back zero-filled; SHFree(nullptr) does nothing.
void* SHAlloc(std::size_t bytes);
void SHFree(void* block);

// Length in bytes including the terminator; 0 for a null list.
UINT ILGetSize(LPCITEMIDLIST list);
// Number of records before the terminator.
UINT ILGetCount(LPCITEMIDLIST list);
// The next record, or null when `list` is at its end.
LPCITEMIDLIST ILGetNext(LPCITEMIDLIST list);
bool ILIsEmpty(LPCITEMIDLIST list);
// The last record (the list itself when it is empty).
LPCITEMIDLIST ILFindLastID(LPCITEMIDLIST list);

// New lists from the task allocator; null when `list` is null.
LPITEMIDLIST ILClone(LPCITEMIDLIST list);
// The first record alone.
LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list);
// The last record alone, as a list relative to the item's parent.
LPITEMIDLIST ILCloneLast(LPCITEMIDLIST list);
// A copy without its last record (an empty list stays empty).
LPITEMIDLIST ILCloneParent(LPCITEMIDLIST list);
// The parent list followed by the relative one; either may be null (then taken as empty).
LPITEMIDLIST ILCombine(LPCITEMIDLIST parent, LPCITEMIDLIST relative);
// One record holding `data`; null when the data does not fit a 16-bit record.
LPITEMIDLIST ILCreateRecord(std::string_view data);
// Drops the last record in place; false for an empty or null list.
BOOL ILRemoveLastID(LPITEMIDLIST list);
// Byte-for-byte equality of two lists.
bool ILIsEqualBytes(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The record's data (after its size field).
std::string_view ILRecordData(LPCITEMIDLIST record);

// True when `bytes` bytes at `data` hold a complete, well-formed list (for lists that come
// from outside the program).
bool ILIsValid(const void* data, std::size_t bytes);

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { SHFree(list); }
};
using ItemIdListPtr = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

// The lists of all ancestors of an absolute list, from its first record to the whole list.
std::vector<ItemIdListPtr> ILAncestorChain(LPCITEMIDLIST list);

}  // namespace platform
