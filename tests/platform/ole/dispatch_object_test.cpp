#include <gtest/gtest.h>

#include "platform/ole/com_ptr.h"
#include "platform/ole/oletypes.h"
#include "test_objects.h"

namespace platform {
namespace {

using testing::TTestObject;

DISPID IdOf(IDispatch& object, const std::u16string& name, HRESULT* hr = nullptr) {
    DISPID id = 12345;
    HRESULT result = object.GetIDsOfNames(&name, 1, LOCALE_USER_DEFAULT, &id);
    if (hr != nullptr) *hr = result;
    return id;
}

HRESULT Put(IDispatch& object, DISPID id, VARIANT value, DISPID named = DISPID_PROPERTYPUT,
            UINT namedCount = 1) {
    DISPPARAMS params{&value, &named, 1, namedCount};
    return object.Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                         nullptr);
}

HRESULT Get(IDispatch& object, DISPID id, VARIANT& result) {
    DISPPARAMS params;
    return object.Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, &result, nullptr,
                         nullptr);
}

TEST(DispatchNames, AreFoundInAnyLetterCaseAndUnknownNamesAreReported) {
    TComPtr<TTestObject> object(new TTestObject);
    DISPID caption = IdOf(*object, u"Caption");
    EXPECT_NE(caption, DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(*object, u"caption"), caption);
    EXPECT_EQ(IdOf(*object, u"CAPTION"), caption);
    EXPECT_NE(IdOf(*object, u"Child"), caption);

    HRESULT hr = S_OK;
    EXPECT_EQ(IdOf(*object, u"Captio", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
    // Case folding is for ASCII letters only: a non-ASCII look-alike is a different name.
    EXPECT_EQ(IdOf(*object, u"Captİon", &hr), DISPID_UNKNOWN);

    DISPID ids[2] = {0, 0};
    EXPECT_EQ(object->GetIDsOfNames(nullptr, 0, 0, ids), E_INVALIDARG);
    std::u16string withArgument[2] = {u"Caption", u"Index"};
    EXPECT_EQ(object->GetIDsOfNames(withArgument, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], caption);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST(DispatchInvoke, PutsAndGetsPropertiesWithTheirArgumentRules) {
    TComPtr<TTestObject> object(new TTestObject);
    DISPID caption = IdOf(*object, u"caption");
    EXPECT_EQ(Put(*object, caption, MakeBstr(u"图标")), S_OK);
    EXPECT_EQ(object->caption, u"图标");
    EXPECT_EQ(Put(*object, caption, MakeI4(-7)), S_OK);
    EXPECT_EQ(object->caption, u"-7");
    VARIANT value;
    ASSERT_EQ(Get(*object, caption, value), S_OK);
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_EQ(value.bstrVal, u"-7");

    // A put without its named argument, a "not given" value, or the wrong number of values.
    EXPECT_EQ(Put(*object, caption, MakeBstr(u"x"), DISPID_PROPERTYPUT, 0), DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Put(*object, caption, MakeBstr(u"x"), 5), DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Put(*object, caption, MakeParamNotFound()), DISP_E_PARAMNOTFOUND);
    VARIANT two[2] = {MakeI4(1), MakeI4(2)};
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS twoArgs{two, &named, 2, 1};
    EXPECT_EQ(object->Invoke(caption, 0, DISPATCH_PROPERTYPUT, &twoArgs, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(object->caption, u"-7");

    // Arguments claimed but not passed are refused instead of read.
    DISPPARAMS missing{nullptr, nullptr, 1, 0};
    EXPECT_EQ(object->Invoke(caption, 0, DISPATCH_PROPERTYGET, &missing, &value, nullptr, nullptr),
              E_INVALIDARG);
    DISPPARAMS getWithArgument{two, nullptr, 1, 0};
    EXPECT_EQ(object->Invoke(caption, 0, DISPATCH_PROPERTYGET, &getWithArgument, &value, nullptr,
                             nullptr),
              DISP_E_BADPARAMCOUNT);
}

TEST(DispatchInvoke, RefusesMissingMembersAndWrongDirections) {
    TComPtr<TTestObject> object(new TTestObject);
    VARIANT value;
    EXPECT_EQ(Get(*object, 0, value), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Get(*object, 999, value), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Get(*object, IdOf(*object, u"Secret"), value), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Put(*object, IdOf(*object, u"Child"), MakeI4(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(value.vt, VT_EMPTY);
    // A dispatch object cannot be turned into text.
    TComPtr<TTestObject> other(new TTestObject);
    EXPECT_EQ(Put(*object, IdOf(*object, u"Caption"), MakeDispatch(other.Get())),
              DISP_E_TYPEMISMATCH);
}

}  // namespace
}  // namespace platform
