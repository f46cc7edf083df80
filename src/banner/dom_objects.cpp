#include "banner/dom_objects.h"

#include "core/utf8.h"

namespace banner {

using namespace platform;

namespace {

VARIANT Text(const std::string& utf8) {
    return MakeBstr(core::Utf8ToUtf16(utf8));
}

template <typename T>
VARIANT NewObject(TDocumentRef document) {
    return MakeDispatch(new T(std::move(document)));  // the variant takes the first reference
}

// Runs `action` with the live page, or answers that the page is gone.
template <typename Action>
HRESULT WithPage(const TDocumentRef& ref, Action action) {
    std::shared_ptr<TBannerDocument> page = ref.lock();
    if (page == nullptr) return RPC_E_DISCONNECTED;
    return action(*page);
}

}  // namespace

TStyleObject::TStyleObject(TDocumentRef document) : document_(std::move(document)) {
    AddStyleProperty("margin", "margin", true);
    AddStyleProperty("padding", "padding", true);
    AddStyleProperty("border", "border", false);
    AddStyleProperty("borderWidth", "border-width", true);
    AddStyleProperty("borderStyle", "border-style", false);
    AddStyleProperty("borderColor", "border-color", false);
    AddStyleProperty("backgroundColor", "background-color", false);
    AddStyleProperty("color", "color", false);
}

void TStyleObject::AddStyleProperty(const char* name, const char* cssName, bool isLength) {
    std::string css = cssName;
    AddProperty(
        name,
        [this, css](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument& page) {
                result = Text(page.BodyStyle(css));
                return S_OK;
            });
        },
        [this, css, isLength](const VARIANT& value) {
            std::u16string text;
            if (HRESULT hr = VariantToText(value, text); FAILED(hr)) return hr;
            std::string css_value = core::Utf16ToUtf8(text);
            // A number given for a length means pixels, as the browser's style object takes it.
            if (isLength && value.vt == VT_I4) css_value += "px";
            return WithPage(document_, [&](TBannerDocument& page) {
                page.SetBodyStyle(css, css_value);
                return S_OK;
            });
        });
}

TBodyObject::TBodyObject(TDocumentRef document) : document_(std::move(document)) {
    AddProperty(
        "scroll",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument& page) {
                result = Text(page.BodyScroll());
                return S_OK;
            });
        },
        [this](const VARIANT& value) {
            std::u16string text;
            if (HRESULT hr = VariantToText(value, text); FAILED(hr)) return hr;
            return WithPage(document_, [&](TBannerDocument& page) {
                page.SetBodyScroll(core::Utf16ToUtf8(text));
                return S_OK;
            });
        });
    AddProperty(
        "style",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument&) {
                result = NewObject<TStyleObject>(document_);
                return S_OK;
            });
        },
        nullptr);
    AddProperty(
        "tagName",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument&) {
                result = Text("BODY");
                return S_OK;
            });
        },
        nullptr);
}

TDocumentObject::TDocumentObject(TDocumentRef document) : document_(std::move(document)) {
    AddProperty(
        "body",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument& page) {
                // A page without a body gives a null object, which late binding cannot step into.
                result = page.HasBody() ? NewObject<TBodyObject>(document_) : MakeDispatch(nullptr);
                return S_OK;
            });
        },
        nullptr);
    AddProperty(
        "title",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument& page) {
                result = Text(page.Title());
                return S_OK;
            });
        },
        nullptr);
    AddProperty(
        "URL",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument& page) {
                result = Text(page.Url());
                return S_OK;
            });
        },
        nullptr);
    AddProperty(
        "readyState",
        [this](VARIANT& result) {
            return WithPage(document_, [&](TBannerDocument&) {
                result = Text("complete");
                return S_OK;
            });
        },
        nullptr);
}

TBrowserObject::TBrowserObject(TStateSource source) : source_(std::move(source)) {
    AddProperty(
        "Document",
        [this](VARIANT& result) {
            if (!source_) return RPC_E_DISCONNECTED;
            std::shared_ptr<TBannerDocument> page = source_().document;
            if (page == nullptr) {
                // No page yet: a null object, as the platform's browser answers.
                result = MakeDispatch(nullptr);
                return S_OK;
            }
            if (page != lastPage_.lock() || !documentObject_) {
                lastPage_ = page;
                documentObject_ = TComPtr<TDocumentObject>(new TDocumentObject(page));
            }
            result = MakeDispatch(documentObject_.Get());
            return S_OK;
        },
        nullptr);
    AddProperty(
        "LocationURL",
        [this](VARIANT& result) {
            if (!source_) return RPC_E_DISCONNECTED;
            result = Text(source_().locationUrl);
            return S_OK;
        },
        nullptr);
    AddProperty(
        "Busy",
        [this](VARIANT& result) {
            if (!source_) return RPC_E_DISCONNECTED;
            result = MakeBool(source_().busy);
            return S_OK;
        },
        nullptr);
    AddProperty(
        "ReadyState",
        [this](VARIANT& result) {
            if (!source_) return RPC_E_DISCONNECTED;
            TBrowserState state = source_();
            // READYSTATE_UNINITIALIZED, _LOADING, _COMPLETE.
            result = MakeI4(state.busy ? 1 : state.document != nullptr ? 4 : 0);
            return S_OK;
        },
        nullptr);
}

}  // namespace banner
