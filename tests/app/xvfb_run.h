// The real program under a virtual X server: a shell script run by xvfb-run on a 1024 x 768
// screen (the size of the tests' virtual screen, so that both place the window alike), and
// the X screen read back from a screenshot the script took.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"

namespace app::testing {

// Runs `body` (shell commands) in `folder` under a fresh X server; true when it exited with 0.
// Its output goes to folder/xvfb.log.
inline bool RunUnderXvfb(const std::filesystem::path& folder, const std::string& body) {
    const std::string script = (folder / "run.sh").string();
    {
        std::ofstream out(script);
        out << "#!/bin/sh\n"
            << "cd '" << folder.string() << "'\n"
            << body;
    }
    const std::string command = "timeout 60 xvfb-run -a -s '-screen 0 1024x768x24' sh '" + script +
                                "' >'" + (folder / "xvfb.log").string() + "' 2>&1";
    return std::system(command.c_str()) == 0;
}

// A screenshot (any format ImageMagick reads) as a bitmap; pixels read as 0xRRGGBB.
class Screenshot {
  public:
    explicit Screenshot(const std::filesystem::path& shot) {
        const std::string bmp = shot.string() + ".bmp";
        const std::string command = "convert '" + shot.string() + "' BMP3:'" + bmp + "'";
        loaded_ = std::system(command.c_str()) == 0;
        if (loaded_) screen_.LoadFile(bmp);
    }
    bool Loaded() const { return loaded_; }
    uint32_t Pixel(int x, int y) {
        uint32_t c = screen_.Canvas().ReadPixel(x, y) & 0xFFFFFF;
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }

  private:
    bool loaded_ = false;
    graphics::TBitmap screen_;
};

}  // namespace app::testing
