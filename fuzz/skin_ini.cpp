// fuzz-deps: skin
// The skin text alone: the INI parser, the value syntax and both catalogues.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/exceptions.h"
#include "core/ini_file.h"
#include "skin/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::TMemIniFile ini;
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    skin::TbsSkinData skinData;
    try {
        skinData.LoadFromIni(ini);
    } catch (const core::Exception&) {
    }
    return 0;
}
