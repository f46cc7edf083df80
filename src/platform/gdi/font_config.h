#pragma once
// Face resolution through fontconfig. The Windows face names the program asks for ("宋体",
// "新宋体", "Arial", "MS Sans Serif") have no aliases on a Linux system, so the matcher loads
// the program's own alias rules into a private fontconfig configuration and asks it for an
// ordered list of faces: the first is the face of the font, the rest its fallback chain.
#include <memory>
#include <string>
#include <vector>

namespace platform::text {

// One installed face: a file and the index of the face inside it.
struct FaceLocation {
    std::string file;
    int index = 0;
    std::string family;
    int weight = 400;     // OpenType weight class of the face itself
    bool italic = false;  // the face is drawn slanted
};

struct FaceRequest {
    std::string family;  // as the caller wrote it; empty means the default sans face
    int weight = 400;    // Windows weight (FW_NORMAL 400, FW_BOLD 700)
    bool italic = false;
};

// The faces for a request, best first. Faces after the first are only used for characters the
// first one lacks; `Covers` tells whether a face in the list has a character.
class FaceList {
  public:
    virtual ~FaceList() = default;
    virtual size_t Count() const = 0;
    virtual const FaceLocation& Face(size_t i) const = 0;
    virtual bool Covers(size_t i, char32_t ch) const = 0;
};

// Builds the configuration now. A cache that keeps face lists in a static calls this before
// creating itself, so that it is destroyed before the configuration the lists come from.
void InitFontMatching();

// Resolves a request against the installed fonts (thread-safe; the configuration is built on
// first use). Never returns null: with no fonts at all the list is empty.
std::shared_ptr<const FaceList> ResolveFaces(const FaceRequest& request);

}  // namespace platform::text
