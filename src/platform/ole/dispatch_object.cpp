#include "platform/ole/dispatch_object.h"

#include <algorithm>

#include "core/utf8.h"

namespace platform {

namespace {

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

ULONG TDispatchObject::AddRef() {
    return ++refs_;
}

ULONG TDispatchObject::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

DISPID TDispatchObject::AddProperty(std::string_view name, Getter get, Setter put) {
    members_.push_back({core::Utf8ToUtf16(name), std::move(get), std::move(put)});
    return DISPID(members_.size());
}

HRESULT TDispatchObject::GetIDsOfNames(const std::u16string* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    ids[0] = DISPID_UNKNOWN;
    for (size_t i = 0; i < members_.size(); ++i)
        if (SameName(members_[i].name, names[0])) ids[0] = DISPID(i + 1);
    // None of the properties takes named arguments.
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT TDispatchObject::Invoke(DISPID id, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT* argError) {
    if (id < 1 || size_t(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    static const DISPPARAMS kNoArguments;
    const DISPPARAMS& args = params != nullptr ? *params : kNoArguments;
    if (args.cArgs > 0 && args.rgvarg == nullptr) return E_INVALIDARG;
    if (args.cNamedArgs > args.cArgs || (args.cNamedArgs > 0 && args.rgdispidNamedArgs == nullptr))
        return E_INVALIDARG;
    const Member& member = members_[size_t(id - 1)];
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
        return InvokePut(member.put, args, argError);
    if (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))
        return InvokeGet(member.get, args, result);
    return E_INVALIDARG;
}

HRESULT TDispatchObject::InvokeGet(const Getter& get, const DISPPARAMS& params, VARIANT* result) {
    if (!get) return DISP_E_MEMBERNOTFOUND;
    if (params.cNamedArgs > 0) return DISP_E_NONAMEDARGS;
    if (params.cArgs > 0) return DISP_E_BADPARAMCOUNT;
    VARIANT value;
    HRESULT hr = get(value);
    if (SUCCEEDED(hr) && result != nullptr) *result = std::move(value);
    return hr;
}

HRESULT TDispatchObject::InvokePut(const Setter& put, const DISPPARAMS& params, UINT* argError) {
    if (!put) return DISP_E_MEMBERNOTFOUND;
    // The value of a property put is its one argument, named DISPID_PROPERTYPUT.
    if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (params.cNamedArgs != 1 || params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTFOUND;
    const VARIANT& value = params.rgvarg[0];
    if (IsParamNotFound(value)) return DISP_E_PARAMNOTFOUND;
    HRESULT hr = put(value);
    if (hr == DISP_E_TYPEMISMATCH && argError != nullptr) *argError = 0;
    return hr;
}

HRESULT VariantToText(const VARIANT& value, std::u16string& text) {
    switch (value.vt) {
        case VT_BSTR:
            text = value.bstrVal;
            return S_OK;
        case VT_I4:
            text = core::Utf8ToUtf16(std::to_string(value.lVal));
            return S_OK;
        case VT_BOOL:
            text = value.boolVal != VARIANT_FALSE ? u"true" : u"false";
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

}  // namespace platform
