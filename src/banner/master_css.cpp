#include "banner/master_css.h"

namespace banner {

const char* const kMasterStyleSheet = R"css(
html { display: block; background-color: #ffffff; }
head, script, style, title, meta, link, noscript, template { display: none; }
body { display: block; margin: 8px; border: 2px inset #c0c0c0; color: #000000; }
div, p, center, h1, h2, h3, h4, h5, h6, ul, ol, dl, dd, dt, form, blockquote, pre, address, hr {
    display: block;
}
p, ul, ol, dl, blockquote, pre { margin-top: 1em; margin-bottom: 1em; }
h1 { font-size: 2em; font-weight: bold; margin-top: 0.67em; margin-bottom: 0.67em; }
h2 { font-size: 1.5em; font-weight: bold; margin-top: 0.83em; margin-bottom: 0.83em; }
h3 { font-size: 1.17em; font-weight: bold; margin-top: 1em; margin-bottom: 1em; }
h4, h5, h6 { font-weight: bold; margin-top: 1.33em; margin-bottom: 1.33em; }
ul, ol { padding-left: 40px; }
li { display: list-item; }
ul { list-style-type: disc; }
ol { list-style-type: decimal; }
center { text-align: center; }
b, strong, th { font-weight: bold; }
i, em, cite, var, address { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
pre, code, tt, kbd, samp { font-family: monospace; }
pre { white-space: pre; }
small { font-size: smaller; }
big { font-size: larger; }
a { color: #0000ee; text-decoration: underline; cursor: pointer; }
hr { border: 1px inset #c0c0c0; margin-top: 0.5em; margin-bottom: 0.5em; }
img { display: inline-block; }
table { display: table; border-spacing: 2px; }
thead { display: table-header-group; }
tbody { display: table-row-group; }
tfoot { display: table-footer-group; }
tr { display: table-row; }
td, th { display: table-cell; padding: 1px; vertical-align: inherit; }
br { display: block; }
)css";

}  // namespace banner
