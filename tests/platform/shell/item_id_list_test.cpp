#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/shell/item_id_list.h"

namespace platform {
namespace {

ItemIdListPtr Record(const std::string& data) {
    return ItemIdListPtr(ILCreateRecord(data));
}

ItemIdListPtr Path(std::initializer_list<const char*> names) {
    ItemIdListPtr list(ILCreateRecord({}));
    ILRemoveLastID(list.get());  // start from the empty list
    for (const char* name : names) {
        ItemIdListPtr record = Record(name);
        list.reset(ILCombine(list.get(), record.get()));
    }
    return list;
}

TEST(ItemIdList, SizesCountsAndRecordsFollowThePublishedLayout) {
    ItemIdListPtr list = Path({"ab", "cde"});
    // (2 + 2) + (2 + 3) + terminator 2
    EXPECT_EQ(ILGetSize(list.get()), 11u);
    EXPECT_EQ(ILGetCount(list.get()), 2u);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(list.get());
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[4], 5);
    EXPECT_EQ(bytes[9], 0);
    EXPECT_EQ(bytes[10], 0);
    EXPECT_EQ(ILRecordData(ILFindLastID(list.get())), "cde");
    EXPECT_EQ(ILRecordData(list.get()), "ab");

    ItemIdListPtr empty = Path({});
    EXPECT_EQ(ILGetSize(empty.get()), 2u);
    EXPECT_EQ(ILGetCount(empty.get()), 0u);
    EXPECT_TRUE(ILIsEmpty(empty.get()));
    EXPECT_EQ(ILGetSize(nullptr), 0u);
    EXPECT_EQ(ILGetNext(empty.get()), nullptr);
}

TEST(ItemIdList, CopyCombineParentAndLastRecord) {
    ItemIdListPtr parent = Path({"home", "user"});
    ItemIdListPtr child = Path({"pics", "a.bmp"});
    ItemIdListPtr whole(ILCombine(parent.get(), child.get()));
    EXPECT_EQ(ILGetCount(whole.get()), 4u);
    EXPECT_EQ(ILGetSize(whole.get()), ILGetSize(parent.get()) + ILGetSize(child.get()) - 2);

    ItemIdListPtr copy(ILClone(whole.get()));
    EXPECT_NE(copy.get(), whole.get());
    EXPECT_TRUE(ILIsEqualBytes(copy.get(), whole.get()));

    ItemIdListPtr up(ILCloneParent(whole.get()));
    EXPECT_EQ(ILGetCount(up.get()), 3u);
    EXPECT_EQ(ILRecordData(ILFindLastID(up.get())), "pics");

    ItemIdListPtr last(ILCloneLast(whole.get()));
    EXPECT_EQ(ILGetCount(last.get()), 1u);
    EXPECT_EQ(ILRecordData(last.get()), "a.bmp");

    ItemIdListPtr first(ILCloneFirst(whole.get()));
    EXPECT_EQ(ILRecordData(first.get()), "home");

    // The parent of the empty list is the empty list.
    ItemIdListPtr empty = Path({});
    ItemIdListPtr emptyUp(ILCloneParent(empty.get()));
    EXPECT_TRUE(ILIsEmpty(emptyUp.get()));
    EXPECT_FALSE(ILRemoveLastID(emptyUp.get()));

    // Combining with null or empty lists keeps the other.
    ItemIdListPtr same(ILCombine(nullptr, child.get()));
    EXPECT_TRUE(ILIsEqualBytes(same.get(), child.get()));
    ItemIdListPtr same2(ILCombine(child.get(), empty.get()));
    EXPECT_TRUE(ILIsEqualBytes(same2.get(), child.get()));
}

TEST(ItemIdList, AncestorChainRunsFromTheFirstRecordToTheWholeList) {
    ItemIdListPtr list = Path({"a", "b", "c"});
    auto chain = ILAncestorChain(list.get());
    ASSERT_EQ(chain.size(), 3u);
    for (size_t i = 0; i < chain.size(); ++i) EXPECT_EQ(ILGetCount(chain[i].get()), i + 1);
    EXPECT_EQ(ILRecordData(ILFindLastID(chain[1].get())), "b");
    EXPECT_TRUE(ILIsEqualBytes(chain[2].get(), list.get()));
    EXPECT_TRUE(ILAncestorChain(Path({}).get()).empty());
}

TEST(ItemIdList, AllocatorZeroFillsAndRecordsOverSixteenBitsAreRefused) {
    auto* block = static_cast<BYTE*>(SHAlloc(64));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0);
    SHFree(block);
    SHFree(nullptr);
    EXPECT_EQ(ILCreateRecord(std::string(0xFFFE, 'x')), nullptr);
    ItemIdListPtr biggest(ILCreateRecord(std::string(0xFFFD, 'x')));
    ASSERT_NE(biggest, nullptr);
    EXPECT_EQ(ILGetSize(biggest.get()), 0xFFFFu + 2);
}

TEST(ItemIdList, MalformedListsEndAtTheBadRecordAndAreReportedInvalid) {
    // A record of size 1 cannot hold its own size: it ends the list instead of looping.
    const BYTE bad[] = {4, 0, 'a', 'b', 1, 0, 'x', 'y', 0, 0};
    auto list = reinterpret_cast<LPCITEMIDLIST>(bad);
    EXPECT_EQ(ILGetCount(list), 1u);
    EXPECT_EQ(ILGetSize(list), 6u);
    ItemIdListPtr copy(ILClone(list));
    EXPECT_EQ(ILGetCount(copy.get()), 1u);
    EXPECT_FALSE(ILIsValid(bad, sizeof bad));

    const BYTE good[] = {4, 0, 'a', 'b', 3, 0, 'c', 0, 0};
    EXPECT_TRUE(ILIsValid(good, sizeof good));
    // Cut before the terminator, or a record running past the end.
    EXPECT_FALSE(ILIsValid(good, sizeof good - 1));
    const BYTE overrun[] = {40, 0, 'a', 'b', 0, 0};
    EXPECT_FALSE(ILIsValid(overrun, sizeof overrun));
    EXPECT_FALSE(ILIsValid(nullptr, 10));
    EXPECT_EQ(ILRecordData(reinterpret_cast<LPCITEMIDLIST>(bad + 4)), "");
}

}  // namespace
}  // namespace platform
