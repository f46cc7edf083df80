#include "core/persistent.h"

#include "core/exceptions.h"

namespace core {

namespace {
constexpr const char* kAssignError = "Cannot assign a %s to a %s";
}

void TPersistent::CopyFrom(const TPersistent* source) {
    if (source == nullptr) CopyError(nullptr);
    source->CopyTo(this);
}

void TPersistent::CopyTo(TPersistent* target) const {
    target->CopyError(this);
}

void TPersistent::CopyError(const TPersistent* source) const {
    throw EConvertError(kAssignError, {source ? source->ClassName() : "nil", ClassName()});
}

}  // namespace core
