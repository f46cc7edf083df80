// Not a Windows call: which source rows a stretch takes, for callers that make their source
// row by row and can make only those rows.
#pragma once

#include <vector>

namespace platform {

// The source row, counted from the top, that a COLORONCOLOR StretchBlt of `srcRows` rows onto
// `dstRows` rows (both > 0, not mirrored) takes for each destination row, top to bottom.
std::vector<int> StretchedSourceRows(int srcRows, int dstRows);

}  // namespace platform
