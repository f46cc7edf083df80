#pragma once
// The hosted browser strip: a windowed control that loads one page in the background (a
// worker thread fetches it), lays it out with the HTML engine at the control's size, paints
// it, and reports each completed document on the user-interface thread. Its automation
// object (OleObject) gives late-bound access to the document, its body and the body's style.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "banner/banner_document.h"
#include "banner/page_fetch.h"
#include "platform/ole/com_ptr.h"
#include "platform/ole/ole_variant.h"
#include "ui/win_control.h"

namespace banner {

class TBrowserObject;

using TWebBrowserDocumentComplete = std::function<void(
    ui::TComponent* sender, platform::IDispatch* pDisp, const platform::VARIANT& URL)>;

// Posted to the strip's window when a fetched page is waiting to be shown.
inline constexpr platform::UINT CM_PAGEARRIVED = ui::CM_BASE + 0x61;

class TWebBrowser : public ui::TWinControl {
  public:
    explicit TWebBrowser(ui::TComponent* owner);
    ~TWebBrowser() override;
    const char* ClassName() const override { return "TWebBrowser"; }

    // Starts loading `url` (http, https or file). The four optional arguments of the
    // platform's Navigate (flags, target frame, post data, headers) are passed as "not given".
    // An address that cannot be loaded at all is raised as EOleSysError; a page that fails
    // while loading shows the strip's failure page instead.
    void Navigate(const std::u16string& url);
    void Navigate(const std::string& url);  // UTF-8
    // The call behind Navigate, with the platform's arguments and result.
    platform::HRESULT Navigate(const platform::BSTR& url, const platform::VARIANT& flags,
                               const platform::VARIANT& targetFrameName,
                               const platform::VARIANT& postData, const platform::VARIANT& headers);

    // The browser's automation object; makes the control's window first if needed.
    platform::OleVariant OleObject();

    // Fired on the user-interface thread each time a document has been loaded and laid out.
    TWebBrowserDocumentComplete OnDocumentComplete;

    bool Busy() const { return fetch_ != nullptr && !pending_; }
    const std::string& LocationURL() const { return locationUrl_; }
    // The page being shown (null before the first one arrives).
    std::shared_ptr<TBannerDocument> Document() const { return document_; }

    // Draws the strip as it is on screen into `dc`, client origin at (0, 0).
    void PaintTo(platform::HDC dc);

    void WndProc(ui::TMessage& message) override;

  protected:
    void PaintWindow(platform::HDC dc) override;
    // The page covers the whole client area; nothing to erase first.
    void EraseBackground(platform::HDC) override {}
    void Resized() override;
    // A page that arrived for a window since destroyed is announced to the new one.
    void CreateHandleDone() override;
    // A left click follows a link under the pointer, in the strip itself.
    void MouseUp(ui::TMouseButton button, ui::TShiftState shift, int x, int y) override;

  private:
    // Runs in the user-interface thread from the worker: keeps the result for the message.
    void PageArrived(TFetchResult result);
    void ShowArrivedPage();
    void ReapFetches();
    void LayoutPage();

    std::unique_ptr<TPageFetch> fetch_;
    // Cancelled fetches whose workers may still be running; freed once they have finished.
    std::vector<std::unique_ptr<TPageFetch>> retired_;
    std::unique_ptr<TFetchResult> pending_;
    std::shared_ptr<TBannerDocument> document_;
    std::string locationUrl_;
    platform::TComPtr<TBrowserObject> automation_;
};

}  // namespace banner
