#pragma once
// A check a page must pass before the HTML engine sees it. The engine walks the element tree
// recursively, so a page of a few thousand nested elements would exhaust the stack; such a
// page is shown as a failure instead.
#include <string_view>

namespace banner {

inline constexpr int kMaxNestingDepth = 512;

// How deeply the page's elements nest, estimated from its tags without building the tree:
// void and self-closed elements do not nest, a closing tag closes back to its opening one,
// paragraphs, list items, options and table rows and cells close their open siblings, and the
// text of script, style, textarea and title elements is skipped. Tags the parser would close
// in other ways count as still open, so the estimate errs on the deep side.
int EstimatedNestingDepth(std::string_view html);

}  // namespace banner
