#pragma once
// The page the strip shows when its page cannot be loaded: plain, small, and with the
// address and the reason, so that nothing pops up over the program.
#include <string>

namespace banner {

std::string FailurePageHtml(const std::string& url, const std::string& reason);

// Text made safe to place between HTML tags.
std::string EscapeHtml(const std::string& text);

}  // namespace banner
