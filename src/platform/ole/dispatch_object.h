#pragma once
// A base for automation objects whose members are named properties. Names are matched
// without regard to ASCII letter case, as the platform's scripting objects match them, so
// "body" and "Body" are the same member. Member numbers are 1, 2, ... in the order the
// properties were added.
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/oletypes.h"

namespace platform {

class TDispatchObject : public IDispatch {
  public:
    using Getter = std::function<HRESULT(VARIANT& result)>;
    using Setter = std::function<HRESULT(const VARIANT& value)>;

    TDispatchObject() = default;
    TDispatchObject(const TDispatchObject&) = delete;
    TDispatchObject& operator=(const TDispatchObject&) = delete;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetIDsOfNames(const std::u16string* names, UINT count, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argError) override;

    ULONG RefCount() const { return refs_; }

  protected:
    ~TDispatchObject() override = default;
    // Adds a property; a missing getter or setter makes it write-only or read-only.
    DISPID AddProperty(std::string_view name, Getter get, Setter put);

  private:
    HRESULT InvokeGet(const Getter& get, const DISPPARAMS& params, VARIANT* result);
    HRESULT InvokePut(const Setter& put, const DISPPARAMS& params, UINT* argError);

    struct Member {
        std::u16string name;
        Getter get;
        Setter put;
    };
    std::vector<Member> members_;
    std::atomic<ULONG> refs_{0};
};

// Reads a property argument as text: strings as they are, integers and booleans in decimal
// and "true"/"false"; anything else answers DISP_E_TYPEMISMATCH.
HRESULT VariantToText(const VARIANT& value, std::u16string& text);

// Letter-case-blind comparison of ASCII letters in UTF-16 names.
bool SameName(std::u16string_view a, std::u16string_view b);

}  // namespace platform
