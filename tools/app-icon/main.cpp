// Draws the program's icon for the desktop's icon theme.
//
//   app-icon <folder> <size>...   writes <folder>/<size>x<size>/apps/tembrin-ico.png
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "artwork.h"
#include "png_writer.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: app-icon <folder> <size>...\n");
        return 2;
    }
    try {
        for (int i = 2; i < argc; ++i) {
            const int size = std::stoi(argv[i]);
            if (size < 8 || size > 1024)
                throw std::invalid_argument(std::string("bad size ") + argv[i]);
            const std::string name = std::to_string(size) + "x" + std::to_string(size);
            const std::filesystem::path folder = std::filesystem::path(argv[1]) / name / "apps";
            std::filesystem::create_directories(folder);
            icon_art::WritePng((folder / "tembrin-ico.png").string(), size, size,
                               icon_art::DrawProgramIcon(size));
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "app-icon: %s\n", e.what());
        return 1;
    }
}
