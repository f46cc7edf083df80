#pragma once
// Automation failures as the program's exceptions, so that they reach the error box.
#include <string>

#include "core/exceptions.h"
#include "platform/ole/oletypes.h"

namespace platform {

// A variant used as something it does not hold (not an automation object, say).
class EVariantError : public core::Exception {
  public:
    using Exception::Exception;
    const char* ClassName() const override { return "EVariantError"; }
};

// A failed automation call; the code is the call's HRESULT.
class EOleSysError : public core::Exception {
  public:
    EOleSysError(std::string message, HRESULT code) : Exception(std::move(message)), code_(code) {}
    HRESULT ErrorCode() const { return code_; }
    const char* ClassName() const override { return "EOleSysError"; }

  private:
    HRESULT code_;
};

// A member that raised an error of its own (DISP_E_EXCEPTION), with its description.
class EOleException : public EOleSysError {
  public:
    EOleException(std::string message, HRESULT code, std::string source)
        : EOleSysError(std::move(message), code), source_(std::move(source)) {}
    const std::string& Source() const { return source_; }
    const char* ClassName() const override { return "EOleException"; }

  private:
    std::string source_;
};

// The system's text for an automation result code ("OLE error 8000FFFF" when unknown).
std::string OleErrorMessage(HRESULT code);

// Raises EOleSysError for a failed result and returns a successful one.
HRESULT OleCheck(HRESULT result);

}  // namespace platform
