#pragma once
// The banner's own default style sheet: what every page starts from before its own styles.

namespace banner {

// The body starts with an 8-pixel margin and the hosted browser's sunken 2-pixel frame, as
// the platform's browser control shows a page; the page's clean-up removes both.
extern const char* const kMasterStyleSheet;

}  // namespace banner
