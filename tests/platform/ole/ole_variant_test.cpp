#include <gtest/gtest.h>

#include "platform/ole/com_ptr.h"
#include "platform/ole/ole_errors.h"
#include "platform/ole/ole_variant.h"
#include "test_objects.h"

namespace platform {
namespace {

using testing::TTestObject;

TEST(LateBinding, ChainsPropertyReadsAndWrites) {
    int destroyed = 0;
    TComPtr<TTestObject> root(new TTestObject(&destroyed));
    OleVariant object(static_cast<IDispatch*>(root.Get()));
    object.Put("caption", "横幅").Put("CAPTION", "banner");
    EXPECT_EQ(root->caption, u"banner");
    EXPECT_EQ(object.Get("Caption").AsString(), "banner");
    // Each read of Child makes a new object; the chain writes into it and lets it go.
    object.Get("Child").Put("Caption", 5);
    EXPECT_EQ(destroyed, 1);
    object.Put("Secret", 0);
    EXPECT_EQ(root->lastSecretType, VT_I4);
}

TEST(LateBinding, RaisesForReceiversThatAreNotObjects) {
    TComPtr<TTestObject> root(new TTestObject);
    OleVariant object(static_cast<IDispatch*>(root.Get()));
    for (const OleVariant& receiver :
         {OleVariant(), OleVariant(3), OleVariant("text"), object.Get("Nothing")}) {
        try {
            receiver.Get("Caption");
            FAIL() << "no error for a receiver of type " << receiver.Type();
        } catch (const EVariantError& error) {
            EXPECT_STREQ(error.what(), "Variant does not reference an automation object");
        }
        EXPECT_THROW(receiver.Put("Caption", "x"), EVariantError);
    }
}

TEST(LateBinding, RaisesTheObjectsFailures) {
    TComPtr<TTestObject> root(new TTestObject);
    OleVariant object(static_cast<IDispatch*>(root.Get()));
    try {
        object.Get("Missing");
        FAIL();
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), DISP_E_UNKNOWNNAME);
        EXPECT_STREQ(error.what(), "Unknown name");
    }
    try {
        object.Get("Secret");
        FAIL();
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), DISP_E_MEMBERNOTFOUND);
        EXPECT_STREQ(error.what(), "Member not found");
    }
    EXPECT_THROW(object.Put("Child", 1), EOleSysError);
    EXPECT_THROW(object.Put("Caption", object), EOleSysError);  // type mismatch
    try {
        object.Get("Broken");
        FAIL();
    } catch (const EOleException& error) {
        EXPECT_EQ(error.ErrorCode(), DISP_E_EXCEPTION);
        EXPECT_FALSE(std::string(error.what()).empty());
    }
    // The failures are the program's exceptions, so the error box shows them.
    EXPECT_THROW(object.Get("Missing"), core::Exception);
}

TEST(OleVariantValues, ConvertOrRaise) {
    EXPECT_EQ(OleVariant(42).AsString(), "42");
    EXPECT_EQ(OleVariant(true).AsInteger(), -1);
    EXPECT_EQ(OleVariant().AsString(), "");
    EXPECT_EQ(OleVariant(u"宋体").AsString(), "宋体");
    EXPECT_THROW(OleVariant("12").AsInteger(), EVariantError);
    TComPtr<TTestObject> root(new TTestObject);
    OleVariant object(static_cast<IDispatch*>(root.Get()));
    EXPECT_THROW(object.AsString(), EVariantError);
    EXPECT_EQ(object.Dispatch(), root.Get());
    EXPECT_EQ(OleVariant(1).Dispatch(), nullptr);
}

}  // namespace
}  // namespace platform
