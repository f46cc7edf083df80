#pragma once
// The core's message texts. Each layer keeps its own table beside its code.

namespace core::strings {

inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SWriteError = "Stream write error";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%s\". %s";
inline constexpr const char* SFCreateErrorEx = "Cannot create file \"%s\". %s";
inline constexpr const char* SInvalidStreamOperation = "Invalid stream operation";
inline constexpr const char* SOSError = "System Error.  Code: %d.\r\n%s";
inline constexpr const char* SUnkOSError = "A call to an OS function failed";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SInvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SOperationAborted = "Operation aborted";

}  // namespace core::strings
