#pragma once
// Late binding from C++: a variant that, when it holds an automation object, reads and writes
// that object's properties by name, one step at a time:
//     browser.Get("Document").Get("body").Put("Scroll", "no");
// Every step that cannot be made raises: EVariantError when the receiver is not an
// automation object, EOleSysError / EOleException when the object refuses the call.
#include <string>
#include <string_view>

#include "platform/ole/oletypes.h"

namespace platform {

class OleVariant {
  public:
    OleVariant() = default;
    OleVariant(VARIANT value) : value_(std::move(value)) {}  // NOLINT: a variant is a value
    OleVariant(const char* text);                            // UTF-8
    OleVariant(std::string_view text);                       // UTF-8
    OleVariant(std::u16string text);
    OleVariant(const char16_t* text);  // so that u"..." does not become a boolean
    OleVariant(int value);
    OleVariant(bool value);
    // Takes a new reference to `object`.
    explicit OleVariant(IDispatch* object);

    const VARIANT& Value() const { return value_; }
    VARTYPE Type() const { return value_.vt; }
    // The object, when the variant holds a non-null one.
    IDispatch* Dispatch() const;

    // Property read by name.
    OleVariant Get(std::string_view name) const;
    // Property write by name, with one positional argument.
    const OleVariant& Put(std::string_view name, const OleVariant& value) const;

    // Conversions for reading results; they raise EVariantError when the value does not fit.
    std::string AsString() const;  // UTF-8
    int AsInteger() const;

  private:
    IDispatch* Receiver() const;
    DISPID MemberId(IDispatch& receiver, std::string_view name) const;

    VARIANT value_;
};

}  // namespace platform
