#include "banner/failure_page.h"

namespace banner {

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string FailurePageHtml(const std::string& url, const std::string& reason) {
    return "<html><head><title>无法显示网页</title></head>"
           "<body style=\"background-color:#ffffff; font-family:'宋体'; font-size:12px\">"
           // Its own padding keeps the text off the edges once the body's margin is gone.
           "<div style=\"padding:6px 8px\">"
           "<div style=\"font-weight:bold; color:#404040\">无法显示网页</div>"
           "<div style=\"color:#606060\">" +
           EscapeHtml(url) +
           "</div>"
           "<div style=\"color:#606060\">" +
           EscapeHtml(reason) +
           "</div>"
           "</div></body></html>";
}

}  // namespace banner
