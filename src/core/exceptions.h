#pragma once
// The program's exception hierarchy. Every failure the user can see is one of these, carrying
// the exact message text that the application's error box shows.
#include <exception>
#include <string>
#include <string_view>

#include "core/format.h"

namespace core {

class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    Exception(std::string_view pattern, std::initializer_list<FormatArg> args)
        : message_(Format(pattern, args)) {}

    const std::string& Message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
    // The class name, as the error display and "Cannot assign a %s to a %s" use it.
    virtual const char* ClassName() const { return "Exception"; }

  private:
    std::string message_;
};

#define TEMBRIN_EXCEPTION(Name, Base)                            \
    class Name : public Base {                                   \
      public:                                                    \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    }

// Silent: the error display ignores it.
class EAbort : public Exception {
  public:
    EAbort();
    using Exception::Exception;
    const char* ClassName() const override { return "EAbort"; }
};

TEMBRIN_EXCEPTION(EStreamError, Exception);
TEMBRIN_EXCEPTION(EFilerError, EStreamError);
TEMBRIN_EXCEPTION(EReadError, EFilerError);
TEMBRIN_EXCEPTION(EWriteError, EFilerError);
TEMBRIN_EXCEPTION(EFOpenError, EStreamError);
TEMBRIN_EXCEPTION(EFCreateError, EStreamError);
TEMBRIN_EXCEPTION(EConvertError, Exception);
TEMBRIN_EXCEPTION(EInvalidOperation, Exception);
TEMBRIN_EXCEPTION(EListError, Exception);
TEMBRIN_EXCEPTION(EOutOfMemory, Exception);
TEMBRIN_EXCEPTION(EOutOfResources, EOutOfMemory);
TEMBRIN_EXCEPTION(EInvalidGraphic, Exception);
TEMBRIN_EXCEPTION(EInvalidGraphicOperation, Exception);
TEMBRIN_EXCEPTION(EZlibError, EStreamError);
TEMBRIN_EXCEPTION(ECompressionError, EZlibError);
TEMBRIN_EXCEPTION(EDecompressionError, EZlibError);

// An operating-system failure, with its code.
class EOSError : public Exception {
  public:
    EOSError(int code, std::string message) : Exception(std::move(message)), code_(code) {}
    int ErrorCode() const { return code_; }
    const char* ClassName() const override { return "EOSError"; }

  private:
    int code_;
};

// The system's text for an error number (errno values on this platform).
std::string SysErrorMessage(int code);

// Raises EOSError for `code` with "System Error.  Code: %d.\r\n%s", or "A call to an OS
// function failed" when the code is 0.
[[noreturn]] void RaiseLastOSError(int code);

}  // namespace core
