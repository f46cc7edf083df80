#include "platform/ole/oletypes.h"

#include <utility>

namespace platform {

VARIANT::VARIANT(const VARIANT& other)
    : vt(other.vt),
      lVal(other.lVal),
      scode(other.scode),
      boolVal(other.boolVal),
      bstrVal(other.bstrVal),
      pdispVal(other.pdispVal) {
    if (pdispVal != nullptr) pdispVal->AddRef();
}

VARIANT::VARIANT(VARIANT&& other) noexcept
    : vt(other.vt),
      lVal(other.lVal),
      scode(other.scode),
      boolVal(other.boolVal),
      bstrVal(std::move(other.bstrVal)),
      pdispVal(std::exchange(other.pdispVal, nullptr)) {
    other.vt = VT_EMPTY;
}

VARIANT& VARIANT::operator=(const VARIANT& other) {
    if (this != &other) {
        VARIANT copy(other);
        *this = std::move(copy);
    }
    return *this;
}

VARIANT& VARIANT::operator=(VARIANT&& other) noexcept {
    if (this != &other) {
        IDispatch* old = std::exchange(pdispVal, std::exchange(other.pdispVal, nullptr));
        vt = std::exchange(other.vt, VARTYPE(VT_EMPTY));
        lVal = other.lVal;
        scode = other.scode;
        boolVal = other.boolVal;
        bstrVal = std::move(other.bstrVal);
        // Released last: the old object may own the variant being assigned from.
        if (old != nullptr) old->Release();
    }
    return *this;
}

VARIANT::~VARIANT() {
    if (pdispVal != nullptr) pdispVal->Release();
}

void VariantInit(VARIANT* value) {
    if (value == nullptr) return;
    value->vt = VT_EMPTY;
    value->lVal = 0;
    value->scode = 0;
    value->boolVal = VARIANT_FALSE;
    value->bstrVal.clear();
    // Windows does not release here either: VariantInit is for uninitialised storage.
    value->pdispVal = nullptr;
}

HRESULT VariantClear(VARIANT* value) {
    if (value == nullptr) return E_INVALIDARG;
    *value = VARIANT();
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source) {
    if (dest == nullptr || source == nullptr) return E_INVALIDARG;
    *dest = *source;
    return S_OK;
}

VARIANT MakeI4(LONG value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT MakeBstr(std::u16string value) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = std::move(value);
    return v;
}

VARIANT MakeBool(bool value) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT MakeDispatch(IDispatch* object) {
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = object;
    if (object != nullptr) object->AddRef();
    return v;
}

VARIANT MakeParamNotFound() {
    VARIANT v;
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

bool IsParamNotFound(const VARIANT& value) {
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

}  // namespace platform
