#pragma once
// The root of objects that can be copied from one another: `CopyFrom` makes this object a copy
// of a source, `CopyTo` copies this object into a target. Classes that know how to take a
// copy override `CopyFrom`; classes that know how to give one override `CopyTo`. When neither
// side knows the other, the copy fails with "Cannot assign a %s to a %s".
namespace core {

class TPersistent {
  public:
    virtual ~TPersistent() = default;
    virtual const char* ClassName() const { return "TPersistent"; }

    // Makes this object a copy of `source`; the default asks the source to copy itself here.
    virtual void CopyFrom(const TPersistent* source);
    // Copies this object into `target`; the default refuses.
    virtual void CopyTo(TPersistent* target) const;

  protected:
    // Raises EConvertError naming the source class ("nil" for none) and this class.
    [[noreturn]] void CopyError(const TPersistent* source) const;
};

}  // namespace core
