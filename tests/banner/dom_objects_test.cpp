#include <gtest/gtest.h>

#include "banner/dom_objects.h"
#include "platform/ole/ole_errors.h"
#include "platform/ole/ole_variant.h"

namespace banner {
namespace {

using platform::EOleSysError;
using platform::EVariantError;
using platform::IDispatch;
using platform::OleVariant;
using platform::TComPtr;

constexpr const char* kPage = "<html><body style='color:#000000'><p>x</p></body></html>";

struct Browser {
    std::shared_ptr<TBannerDocument> page;
    TComPtr<TBrowserObject> object{new TBrowserObject([this] {
        return TBrowserState{page, page ? page->Url() : "", false};
    })};
    OleVariant Ole() { return OleVariant(static_cast<IDispatch*>(object.Get())); }
};

TEST(BrowserObjects, TheThreeCleanUpAssignmentsReachTheBody) {
    Browser browser;
    browser.page = TBannerDocument::Load(kPage, "file:///banner.html");
    browser.page->Layout(468, 100);
    browser.Ole().Get("Document").Get("body").Put("Scroll", "no");
    browser.Ole().Get("Document").Get("body").Get("style").Put("margin", "0");
    browser.Ole().Get("Document").Get("Body").Get("Style").Put("BorderWidth", 0);
    EXPECT_EQ(browser.page->BodyScroll(), "no");
    EXPECT_EQ(browser.page->BodyStyle("margin"), "0");
    EXPECT_EQ(browser.page->BodyStyle("border-width"), "0px");
    EXPECT_EQ(browser.page->BodyBox().x, 0);
    // Reads give back what was written.
    OleVariant body = browser.Ole().Get("Document").Get("BODY");
    EXPECT_EQ(body.Get("scroll").AsString(), "no");
    EXPECT_EQ(body.Get("style").Get("borderWidth").AsString(), "0px");
    EXPECT_EQ(body.Get("style").Get("color").AsString(), "#000000");
    EXPECT_EQ(body.Get("tagName").AsString(), "BODY");
    EXPECT_EQ(browser.Ole().Get("Document").Get("URL").AsString(), "file:///banner.html");
    EXPECT_EQ(browser.Ole().Get("ReadyState").AsInteger(), 4);
}

TEST(BrowserObjects, NumbersForLengthsArePixelsAndOtherPropertiesKeepText) {
    Browser browser;
    browser.page = TBannerDocument::Load(kPage, "about:x");
    OleVariant style = browser.Ole().Get("Document").Get("body").Get("style");
    style.Put("padding", 3).Put("color", "red").Put("borderStyle", "none");
    EXPECT_EQ(browser.page->BodyStyle("padding"), "3px");
    EXPECT_EQ(browser.page->BodyStyle("color"), "red");
    EXPECT_EQ(browser.page->BodyStyle("border-style"), "none");
    EXPECT_THROW(style.Put("fontSize", "9px"), EOleSysError);  // not offered
    EXPECT_THROW(style.Put("margin", style), EOleSysError);    // an object is no length
}

TEST(BrowserObjects, StepsIntoNothingRaiseTheRuntimesErrors) {
    Browser browser;  // no page yet
    EXPECT_EQ(browser.Ole().Get("Document").Dispatch(), nullptr);
    EXPECT_THROW(browser.Ole().Get("Document").Get("body"), EVariantError);
    EXPECT_THROW(browser.Ole().Get("Document").Get("body").Put("Scroll", "no"), core::Exception);
    EXPECT_EQ(browser.Ole().Get("ReadyState").AsInteger(), 0);
}

TEST(BrowserObjects, ObjectsOfAReplacedPageOrAGoneBrowserAreDisconnected) {
    Browser browser;
    browser.page = TBannerDocument::Load(kPage, "about:first");
    OleVariant oldBody = browser.Ole().Get("Document").Get("body");
    OleVariant document = browser.Ole().Get("Document");
    EXPECT_EQ(browser.Ole().Get("Document").Dispatch(), document.Dispatch());  // one per page
    browser.page = TBannerDocument::Load(kPage, "about:second");
    try {
        oldBody.Put("Scroll", "no");
        FAIL();
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), platform::RPC_E_DISCONNECTED);
    }
    EXPECT_NE(browser.Ole().Get("Document").Dispatch(), document.Dispatch());
    EXPECT_EQ(browser.Ole().Get("Document").Get("URL").AsString(), "about:second");

    OleVariant held = browser.Ole();
    browser.object->Detach();
    EXPECT_THROW(held.Get("Document"), EOleSysError);
}

}  // namespace
}  // namespace banner
