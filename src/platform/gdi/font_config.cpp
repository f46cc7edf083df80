#include "platform/gdi/font_config.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <mutex>
#include <tuple>

namespace platform::text {
namespace {

// Strong bindings make the alias outrank the language of the request, so "宋体" stays a Ming
// face even when lang=zh-cn would pull in another one. "MS Sans Serif" asks for a sans face
// with Chinese coverage when one is installed, then for a Latin sans face; Chinese characters
// then come from the fallback chain.
constexpr const char kAliasRules[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>宋体</family><prefer><family>AR PL UMing CN</family></prefer></alias>
  <alias binding="strong"><family>新宋体</family><prefer><family>AR PL UMing CN</family></prefer></alias>
  <alias binding="strong"><family>SimSun</family><prefer><family>AR PL UMing CN</family></prefer></alias>
  <alias binding="strong"><family>NSimSun</family><prefer><family>AR PL UMing CN</family></prefer></alias>
  <alias binding="strong"><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
  <alias binding="strong">
    <family>MS Sans Serif</family>
    <prefer>
      <family>Noto Sans CJK SC</family>
      <family>WenQuanYi Zen Hei</family>
      <family>WenQuanYi Micro Hei</family>
      <family>Liberation Sans</family>
      <family>DejaVu Sans</family>
    </prefer>
  </alias>
</fontconfig>
)";

// Windows weights are the OpenType weight classes.
int ToFcWeight(int windowsWeight) {
    if (windowsWeight <= 0) windowsWeight = 400;
    if (windowsWeight > 1000) windowsWeight = 1000;
    return FcWeightFromOpenType(windowsWeight);
}

class FcFaceList final : public FaceList {
  public:
    explicit FcFaceList(FcFontSet* set) {
        if (set == nullptr) return;
        for (int i = 0; i < set->nfont; ++i) Add(set->fonts[i]);
    }
    ~FcFaceList() override {
        for (FcCharSet* cs : charsets_) FcCharSetDestroy(cs);
    }
    FcFaceList(const FcFaceList&) = delete;
    FcFaceList& operator=(const FcFaceList&) = delete;

    size_t Count() const override { return faces_.size(); }
    const FaceLocation& Face(size_t i) const override { return faces_.at(i); }
    bool Covers(size_t i, char32_t ch) const override {
        return i < charsets_.size() && charsets_[i] != nullptr &&
               FcCharSetHasChar(charsets_[i], static_cast<FcChar32>(ch));
    }

  private:
    void Add(FcPattern* font) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return;
        FaceLocation face;
        face.file = reinterpret_cast<const char*>(file);
        int index = 0;
        if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) face.index = index;
        FcChar8* family = nullptr;
        if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch)
            face.family = reinterpret_cast<const char*>(family);
        int weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch)
            face.weight = FcWeightToOpenType(weight);
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch)
            face.italic = slant != FC_SLANT_ROMAN;
        FcCharSet* cs = nullptr;
        FcCharSet* copy = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) == FcResultMatch)
            copy = FcCharSetCopy(cs);
        faces_.push_back(std::move(face));
        charsets_.push_back(copy);
    }

    std::vector<FaceLocation> faces_;
    std::vector<FcCharSet*> charsets_;
};

class Matcher {
  public:
    Matcher() {
        config_ = FcInitLoadConfigAndFonts();
        if (config_ != nullptr)
            FcConfigParseAndLoadFromMemory(config_, reinterpret_cast<const FcChar8*>(kAliasRules),
                                           FcTrue);
    }

    ~Matcher() {
        cache_.clear();
        if (config_ != nullptr) FcConfigDestroy(config_);
    }
    Matcher(const Matcher&) = delete;
    Matcher& operator=(const Matcher&) = delete;

    std::shared_ptr<const FaceList> Resolve(const FaceRequest& request) {
        std::lock_guard lock(mutex_);
        auto key = std::make_tuple(request.family, request.weight, request.italic);
        auto found = cache_.find(key);
        if (found != cache_.end()) return found->second;
        auto list = Build(request);
        cache_.emplace(key, list);
        return list;
    }

  private:
    std::shared_ptr<const FaceList> Build(const FaceRequest& request) {
        if (config_ == nullptr) return std::make_shared<FcFaceList>(nullptr);
        FcPattern* pattern = FcPatternCreate();
        const std::string family = request.family.empty() ? "MS Sans Serif" : request.family;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
        FcPatternAddInteger(pattern, FC_WEIGHT, ToFcWeight(request.weight));
        FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config_, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcFontSet* set = FcFontSort(config_, pattern, FcTrue, nullptr, &result);
        auto list = std::make_shared<FcFaceList>(set);
        if (set != nullptr) FcFontSetDestroy(set);
        FcPatternDestroy(pattern);
        return list;
    }

    FcConfig* config_ = nullptr;
    std::mutex mutex_;
    std::map<std::tuple<std::string, int, bool>, std::shared_ptr<const FaceList>> cache_;
};

Matcher& TheMatcher() {
    static Matcher matcher;
    return matcher;
}

}  // namespace

void InitFontMatching() {
    (void)TheMatcher();
}

std::shared_ptr<const FaceList> ResolveFaces(const FaceRequest& request) {
    return TheMatcher().Resolve(request);
}

}  // namespace platform::text
