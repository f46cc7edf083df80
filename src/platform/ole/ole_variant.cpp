#include "platform/ole/ole_variant.h"

#include "core/format.h"
#include "core/utf8.h"
#include "platform/ole/ole_errors.h"
#include "platform/ole/resource_strings.h"

namespace platform {

namespace {

const char* TypeName(VARTYPE type) {
    switch (type) {
        case VT_EMPTY:
            return "Empty";
        case VT_NULL:
            return "Null";
        case VT_I4:
            return "Integer";
        case VT_BSTR:
            return "OleStr";
        case VT_DISPATCH:
            return "Dispatch";
        case VT_ERROR:
            return "Error";
        case VT_BOOL:
            return "Boolean";
        default:
            return "Unknown";
    }
}

// Turns a failed call into the exception the caller sees.
void RaiseCallError(HRESULT hr, const EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION) {
        std::string text = core::Utf16ToUtf8(info.bstrDescription);
        HRESULT code = info.scode != 0 ? info.scode : hr;
        throw EOleException(text.empty() ? OleErrorMessage(code) : text, code,
                            core::Utf16ToUtf8(info.bstrSource));
    }
    OleCheck(hr);
}

}  // namespace

OleVariant::OleVariant(const char* text) : OleVariant(std::string_view(text)) {}
OleVariant::OleVariant(std::string_view text) : value_(MakeBstr(core::Utf8ToUtf16(text))) {}
OleVariant::OleVariant(std::u16string text) : value_(MakeBstr(std::move(text))) {}
OleVariant::OleVariant(const char16_t* text)
    : value_(MakeBstr(text != nullptr ? std::u16string(text) : std::u16string())) {}
OleVariant::OleVariant(int value) : value_(MakeI4(value)) {}
OleVariant::OleVariant(bool value) : value_(MakeBool(value)) {}
OleVariant::OleVariant(IDispatch* object) : value_(MakeDispatch(object)) {}

IDispatch* OleVariant::Dispatch() const {
    return value_.vt == VT_DISPATCH ? value_.pdispVal : nullptr;
}

IDispatch* OleVariant::Receiver() const {
    IDispatch* receiver = Dispatch();
    if (receiver == nullptr) throw EVariantError(strings::SVarNotObject);
    return receiver;
}

DISPID OleVariant::MemberId(IDispatch& receiver, std::string_view name) const {
    // The name goes to the object exactly as written; the object decides about letter case.
    std::u16string wide = core::Utf8ToUtf16(name);
    DISPID id = DISPID_UNKNOWN;
    OleCheck(receiver.GetIDsOfNames(&wide, 1, LOCALE_USER_DEFAULT, &id));
    return id;
}

OleVariant OleVariant::Get(std::string_view name) const {
    IDispatch* receiver = Receiver();
    // Hold the receiver while calling it: the call may drop the last other reference.
    OleVariant keep(receiver);
    DISPID id = MemberId(*receiver, name);
    DISPPARAMS params;
    VARIANT result;
    EXCEPINFO info;
    UINT argError = 0;
    HRESULT hr = receiver->Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                  &params, &result, &info, &argError);
    if (FAILED(hr)) RaiseCallError(hr, info);
    return OleVariant(std::move(result));
}

const OleVariant& OleVariant::Put(std::string_view name, const OleVariant& value) const {
    IDispatch* receiver = Receiver();
    OleVariant keep(receiver);
    DISPID id = MemberId(*receiver, name);
    VARIANT argument = value.value_;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = &argument;
    params.rgdispidNamedArgs = &named;
    params.cArgs = 1;
    params.cNamedArgs = 1;
    EXCEPINFO info;
    UINT argError = 0;
    HRESULT hr = receiver->Invoke(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                                  &info, &argError);
    if (FAILED(hr)) RaiseCallError(hr, info);
    return *this;
}

std::string OleVariant::AsString() const {
    switch (value_.vt) {
        case VT_BSTR:
            return core::Utf16ToUtf8(value_.bstrVal);
        case VT_I4:
            return std::to_string(value_.lVal);
        case VT_BOOL:
            return value_.boolVal != VARIANT_FALSE ? "True" : "False";
        case VT_EMPTY:
            return "";
        default:
            throw EVariantError(strings::SVarTypeCast, {TypeName(value_.vt), TypeName(VT_BSTR)});
    }
}

int OleVariant::AsInteger() const {
    switch (value_.vt) {
        case VT_I4:
            return value_.lVal;
        case VT_BOOL:
            return value_.boolVal != VARIANT_FALSE ? -1 : 0;
        case VT_EMPTY:
            return 0;
        default:
            throw EVariantError(strings::SVarTypeCast, {TypeName(value_.vt), TypeName(VT_I4)});
    }
}

}  // namespace platform
