#pragma once
// A small automation object for the tests: a read-write text property "Caption", a read-only
// "Child" that hands out another object, a write-only "Secret" and a "Broken" property that
// fails with an error of its own.
#include <string>

#include "platform/ole/dispatch_object.h"

namespace platform::testing {

class TTestObject : public TDispatchObject {
  public:
    explicit TTestObject(int* destroyed = nullptr) : destroyed_(destroyed) {
        AddProperty(
            "Caption",
            [this](VARIANT& result) {
                result = MakeBstr(caption);
                return S_OK;
            },
            [this](const VARIANT& value) { return VariantToText(value, caption); });
        AddProperty(
            "Child",
            [this](VARIANT& result) {
                result = MakeDispatch(new TTestObject(destroyed_));
                return S_OK;
            },
            nullptr);
        AddProperty("Secret", nullptr, [this](const VARIANT& value) {
            lastSecretType = value.vt;
            return S_OK;
        });
        AddProperty(
            "Broken", [](VARIANT&) { return DISP_E_EXCEPTION; }, nullptr);
        AddProperty(
            "Nothing",
            [](VARIANT& result) {
                result = MakeDispatch(nullptr);
                return S_OK;
            },
            nullptr);
    }
    std::u16string caption;
    VARTYPE lastSecretType = VT_EMPTY;

  protected:
    ~TTestObject() override {
        if (destroyed_ != nullptr) ++*destroyed_;
    }

  private:
    int* destroyed_;
};

}  // namespace platform::testing
