#pragma once
// The automation objects the strip offers for late binding: the browser (Document,
// LocationURL, Busy, ReadyState), its document (body, title, URL, readyState), the body
// element (scroll, style, tagName) and the body's style (margin, padding, border,
// borderWidth, borderStyle, borderColor, backgroundColor, color). Names match in any letter
// case. An object whose page has been replaced answers RPC_E_DISCONNECTED.
#include <functional>
#include <memory>
#include <string>

#include "banner/banner_document.h"
#include "platform/ole/com_ptr.h"
#include "platform/ole/dispatch_object.h"

namespace banner {

using TDocumentRef = std::weak_ptr<TBannerDocument>;

class TStyleObject : public platform::TDispatchObject {
  public:
    explicit TStyleObject(TDocumentRef document);

  private:
    void AddStyleProperty(const char* name, const char* cssName, bool isLength);
    TDocumentRef document_;
};

class TBodyObject : public platform::TDispatchObject {
  public:
    explicit TBodyObject(TDocumentRef document);

  private:
    TDocumentRef document_;
};

class TDocumentObject : public platform::TDispatchObject {
  public:
    explicit TDocumentObject(TDocumentRef document);

  private:
    TDocumentRef document_;
};

// What the browser object asks its control.
struct TBrowserState {
    std::shared_ptr<TBannerDocument> document;  // null before the first page
    std::string locationUrl;
    bool busy = false;
};

class TBrowserObject : public platform::TDispatchObject {
  public:
    using TStateSource = std::function<TBrowserState()>;
    explicit TBrowserObject(TStateSource source);
    // Cuts the link to the control when the control goes; later calls answer
    // RPC_E_DISCONNECTED.
    void Detach() { source_ = nullptr; }

  private:
    TStateSource source_;
    // One document object per page, so that repeated reads give the same object.
    std::weak_ptr<TBannerDocument> lastPage_;
    platform::TComPtr<TDocumentObject> documentObject_;
};

}  // namespace banner
