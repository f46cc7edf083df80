#include <gtest/gtest.h>

#include "platform/ole/oletypes.h"
#include "test_objects.h"

namespace platform {
namespace {

using testing::TTestObject;

TEST(Variant, CopiesHoldReferencesAndClearingReleasesThem) {
    int destroyed = 0;
    auto* object = new TTestObject(&destroyed);
    {
        VARIANT first = MakeDispatch(object);
        EXPECT_EQ(object->RefCount(), 1u);
        VARIANT copy = first;
        EXPECT_EQ(object->RefCount(), 2u);
        VARIANT moved = std::move(copy);
        EXPECT_EQ(object->RefCount(), 2u);
        // A moved-from variant is left empty, so it releases nothing when cleared.
        EXPECT_EQ(copy.vt, VT_EMPTY);  // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(VariantClear(&first), S_OK);
        EXPECT_EQ(first.vt, VT_EMPTY);
        EXPECT_EQ(object->RefCount(), 1u);
        VARIANT target;
        EXPECT_EQ(VariantCopy(&target, &moved), S_OK);
        EXPECT_EQ(object->RefCount(), 2u);
        target = MakeI4(3);  // overwriting releases
        EXPECT_EQ(object->RefCount(), 1u);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
    EXPECT_EQ(VariantCopy(nullptr, nullptr), E_INVALIDARG);
}

TEST(Variant, ParameterNotFoundIsAnErrorVariantWithItsCode) {
    VARIANT missing = MakeParamNotFound();
    EXPECT_EQ(missing.vt, VT_ERROR);
    EXPECT_EQ(missing.scode, DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(uint32_t(missing.scode), 0x80020004u);
    EXPECT_TRUE(IsParamNotFound(missing));
    VARIANT otherError = missing;
    otherError.scode = E_FAIL;
    EXPECT_FALSE(IsParamNotFound(otherError));
    EXPECT_FALSE(IsParamNotFound(MakeI4(int32_t(DISP_E_PARAMNOTFOUND))));

    std::u16string text;
    EXPECT_EQ(VariantToText(MakeBool(true), text), S_OK);
    EXPECT_EQ(text, u"true");
    EXPECT_EQ(VariantToText(missing, text), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantToText(VARIANT(), text), DISP_E_TYPEMISMATCH);
}

}  // namespace
}  // namespace platform
