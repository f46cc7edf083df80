#include "banner/web_browser.h"

#include "banner/dom_objects.h"
#include "banner/failure_page.h"
#include "banner/page_guard.h"
#include "core/utf8.h"
#include "platform/gdi/gdi.h"
#include "platform/ole/ole_errors.h"
#include "platform/user/user.h"

namespace banner {

using namespace platform;

TWebBrowser::TWebBrowser(ui::TComponent* owner) : TWinControl(owner) {
    SetColor(graphics::clWindow);
    SetTabStop(true);
    automation_ = TComPtr<TBrowserObject>(new TBrowserObject([this] {
        return TBrowserState{document_, locationUrl_, Busy()};
    }));
}

TWebBrowser::~TWebBrowser() {
    // Objects handed out by OleObject may outlive the control; they stop answering.
    automation_->Detach();
    // Someone may still hold the page; it must not call back into a control that is gone.
    if (document_ != nullptr) {
        document_->OnChange = nullptr;
        document_->OnLinkClick = nullptr;
    }
    fetch_.reset();
    retired_.clear();
}

void TWebBrowser::Navigate(const std::u16string& url) {
    OleCheck(Navigate(url, MakeParamNotFound(), MakeParamNotFound(), MakeParamNotFound(),
                      MakeParamNotFound()));
}

void TWebBrowser::Navigate(const std::string& url) {
    Navigate(core::Utf8ToUtf16(url));
}

HRESULT TWebBrowser::Navigate(const BSTR& url, const VARIANT& flags, const VARIANT& targetFrameName,
                              const VARIANT& postData, const VARIANT& headers) {
    // Frames, posting and extra headers are not supported: those arguments must be left out.
    for (const VARIANT* optional : {&targetFrameName, &postData, &headers})
        if (!IsParamNotFound(*optional) && optional->vt != VT_EMPTY) return E_INVALIDARG;
    if (!IsParamNotFound(flags) && flags.vt != VT_EMPTY && flags.vt != VT_I4)
        return DISP_E_TYPEMISMATCH;
    std::string address = core::Utf16ToUtf8(url);
    if (!IsFetchableUrl(address)) return INET_E_RESOURCE_NOT_FOUND;

    HandleNeeded();  // the page arrives as a message to the strip's window
    if (fetch_ != nullptr) {
        fetch_->Cancel();
        retired_.push_back(std::move(fetch_));
    }
    pending_.reset();
    locationUrl_ = address;
    fetch_ = std::make_unique<TPageFetch>(
        address, [this](TFetchResult result) { PageArrived(std::move(result)); });
    fetch_->Start();
    return S_OK;
}

OleVariant TWebBrowser::OleObject() {
    HandleNeeded();
    return OleVariant(static_cast<IDispatch*>(automation_.Get()));
}

void TWebBrowser::PageArrived(TFetchResult result) {
    pending_ = std::make_unique<TFetchResult>(std::move(result));
    PostMessage(Handle(), CM_PAGEARRIVED, 0, 0);
}

void TWebBrowser::CreateHandleDone() {
    TWinControl::CreateHandleDone();
    if (pending_ != nullptr) PostMessage(Handle(), CM_PAGEARRIVED, 0, 0);
}

void TWebBrowser::WndProc(ui::TMessage& message) {
    if (message.Msg == CM_PAGEARRIVED) {
        ShowArrivedPage();
        return;
    }
    TWinControl::WndProc(message);
}

void TWebBrowser::ShowArrivedPage() {
    ReapFetches();
    if (pending_ == nullptr) return;  // a newer navigation replaced it
    std::unique_ptr<TFetchResult> result = std::move(pending_);
    fetch_.reset();  // its worker has handed over its result and is ending
    if (result->ok && EstimatedNestingDepth(result->body) > kMaxNestingDepth) {
        result->ok = false;
        result->error = "The page is nested too deeply";
    }
    const std::string html =
        result->ok ? result->body : FailurePageHtml(result->url, result->error);
    if (document_ != nullptr) {
        document_->OnChange = nullptr;  // the old page may live on with whoever holds it
        document_->OnLinkClick = nullptr;
    }
    document_ = TBannerDocument::Load(html, result->url);
    document_->OnChange = [this] { Invalidate(); };
    document_->OnLinkClick = [this](const std::string& url) {
        // Links the strip cannot or must not load (script, mail, local files from a web
        // page) are left alone.
        if (document_ != nullptr && MayFollowLink(document_->Url(), url)) Navigate(url);
    };
    LayoutPage();
    Invalidate();
    if (OnDocumentComplete) {
        // The pages have no frames, so the one event is the top-level document's.
        VARIANT url = MakeBstr(core::Utf8ToUtf16(result->url));
        OnDocumentComplete(this, automation_.Get(), url);
    }
}

void TWebBrowser::ReapFetches() {
    std::erase_if(retired_,
                  [](const std::unique_ptr<TPageFetch>& fetch) { return fetch->Finished(); });
}

void TWebBrowser::LayoutPage() {
    if (document_ != nullptr) document_->Layout(ClientWidth(), ClientHeight());
}

void TWebBrowser::MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) {
    TWinControl::MouseUp(button, shift, x, y);
    if (button == ui::TMouseButton::mbLeft && document_ != nullptr) document_->Click(x, y);
}

void TWebBrowser::Resized() {
    LayoutPage();
    Invalidate();
}

void TWebBrowser::PaintTo(HDC dc) {
    if (document_ != nullptr) {
        document_->Draw(dc);
        return;
    }
    // Before the first page: an empty white strip.
    RECT rect = ClientRect().ToRECT();
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void TWebBrowser::PaintWindow(HDC dc) {
    PaintTo(dc);
}

}  // namespace banner
