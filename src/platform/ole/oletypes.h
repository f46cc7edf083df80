#pragma once
// Automation types with their Windows names and values: result codes, variants and the
// late-bound dispatch interface. Text in a variant is UTF-16, as it is in a BSTR.
#include <cstdint>
#include <string>

#include "platform/base/windef.h"
#include "platform/base/winerror.h"

namespace platform {

using SCODE = std::int32_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
// A BSTR owns its UTF-16 text here instead of pointing at a length-prefixed block.
using BSTR = std::u16string;

inline constexpr HRESULT CO_E_NOTINITIALIZED = HRESULT(0x800401F0);
inline constexpr HRESULT RPC_E_DISCONNECTED = HRESULT(0x80010108);
inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = HRESULT(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = HRESULT(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = HRESULT(0x80020006);
inline constexpr HRESULT DISP_E_NONAMEDARGS = HRESULT(0x80020007);
inline constexpr HRESULT DISP_E_BADVARTYPE = HRESULT(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = HRESULT(0x80020009);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = HRESULT(0x8002000E);
inline constexpr HRESULT INET_E_RESOURCE_NOT_FOUND = HRESULT(0x800C0005);

enum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
};

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// Invoke flags.
inline constexpr WORD DISPATCH_METHOD = 1;
inline constexpr WORD DISPATCH_PROPERTYGET = 2;
inline constexpr WORD DISPATCH_PROPERTYPUT = 4;
inline constexpr WORD DISPATCH_PROPERTYPUTREF = 8;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

class IDispatch;

// A tagged value. Copying a variant that holds a dispatch object takes a reference to it;
// clearing or destroying the variant releases it.
struct VARIANT {
    VARTYPE vt = VT_EMPTY;
    LONG lVal = 0;
    SCODE scode = 0;
    VARIANT_BOOL boolVal = VARIANT_FALSE;
    BSTR bstrVal;
    IDispatch* pdispVal = nullptr;

    VARIANT() = default;
    VARIANT(const VARIANT& other);
    VARIANT(VARIANT&& other) noexcept;
    VARIANT& operator=(const VARIANT& other);
    VARIANT& operator=(VARIANT&& other) noexcept;
    ~VARIANT();
};

// Arguments of an Invoke call, last argument first as on Windows.
struct DISPPARAMS {
    VARIANT* rgvarg = nullptr;
    DISPID* rgdispidNamedArgs = nullptr;
    UINT cArgs = 0;
    UINT cNamedArgs = 0;
};

// What a member that failed with DISP_E_EXCEPTION reports.
struct EXCEPINFO {
    WORD wCode = 0;
    std::u16string bstrSource;
    std::u16string bstrDescription;
    SCODE scode = 0;
};

// The reference-counted base of every automation object.
class IUnknown {
  public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    virtual ~IUnknown() = default;
};

// Late binding: members are found by name, then called by number.
class IDispatch : public IUnknown {
  public:
    // Looks up `count` names (the member and then its named arguments); unknown names get
    // DISPID_UNKNOWN and the call answers DISP_E_UNKNOWNNAME.
    virtual HRESULT GetIDsOfNames(const std::u16string* names, UINT count, LCID locale,
                                  DISPID* ids) = 0;
    // Calls member `id`: a property read (DISPATCH_PROPERTYGET) stores its value in `result`;
    // a property write (DISPATCH_PROPERTYPUT) takes one argument named DISPID_PROPERTYPUT.
    virtual HRESULT Invoke(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT* argError) = 0;
};

// Variant helpers with their Windows names.
void VariantInit(VARIANT* value);
HRESULT VariantClear(VARIANT* value);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);

// Convenience makers.
VARIANT MakeI4(LONG value);
VARIANT MakeBstr(std::u16string value);
VARIANT MakeBool(bool value);
// Takes a new reference to `object` (which may be null).
VARIANT MakeDispatch(IDispatch* object);
// The "parameter not given" value that optional arguments carry.
VARIANT MakeParamNotFound();
bool IsParamNotFound(const VARIANT& value);

}  // namespace platform
