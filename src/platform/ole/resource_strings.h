#pragma once
// The automation layer's message texts.

namespace platform::strings {

inline constexpr const char* SVarNotObject = "Variant does not reference an automation object";
inline constexpr const char* SVarTypeCast = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char* SOleErrorCode = "OLE error %x";

inline constexpr const char* SUnknownName = "Unknown name";
inline constexpr const char* SMemberNotFound = "Member not found";
inline constexpr const char* STypeMismatch = "Type mismatch";
inline constexpr const char* SBadParamCount = "Invalid number of parameters";
inline constexpr const char* SParamNotFound = "Parameter not found";
inline constexpr const char* SNoNamedArgs = "Does not support named arguments";
inline constexpr const char* SBadVarType = "Bad variable type";
inline constexpr const char* SUnspecified = "Unspecified error";
inline constexpr const char* SNotImplemented = "Not implemented";
inline constexpr const char* SInvalidArg = "The parameter is incorrect";
inline constexpr const char* SNotInitialized = "CoInitialize has not been called";
inline constexpr const char* SDisconnected = "The object invoked has disconnected from its clients";
inline constexpr const char* SOutOfMemory = "Not enough memory";
inline constexpr const char* SResourceNotFound = "The system cannot locate the resource specified";

}  // namespace platform::strings
