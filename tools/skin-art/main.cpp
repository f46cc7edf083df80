// Draws the skin's pictures from assets/skin/skin.ini.
//
//   skin-art <skin.ini> <output folder>            writes the ten BMP files
//   skin-art --sheet <skin.ini> <sheet.bmp> <labels.txt>
//                                                  writes the contact sheet and its labels
#include <cstdio>
#include <exception>
#include <string>

#include "artwork.h"
#include "contact_sheet.h"
#include "core/exceptions.h"

int main(int argc, char** argv) {
    try {
        if (argc == 5 && std::string(argv[1]) == "--sheet") {
            art::SkinIni ini(argv[2]);
            auto pictures = art::DrawSkin(ini);
            art::Sheet sheet = art::DrawContactSheet(ini, pictures);
            art::WriteFile(argv[3], sheet.canvas.Bmp24());
            art::WriteFile(argv[4], std::vector<uint8_t>(sheet.labels.begin(), sheet.labels.end()));
            return 0;
        }
        if (argc != 3) {
            std::fprintf(stderr,
                         "usage: skin-art <skin.ini> <output folder>\n"
                         "       skin-art --sheet <skin.ini> <sheet.bmp> <labels.txt>\n");
            return 2;
        }
        art::SkinIni ini(argv[1]);
        for (const auto& [name, picture] : art::DrawSkin(ini)) {
            std::string path = std::string(argv[2]) + "/" + name;
            art::WriteFile(path, picture.bitCount == 24 ? picture.canvas.Bmp24()
                                                        : picture.canvas.BmpMask(picture.bitCount));
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin-art: %s\n", e.what());
        return 1;
    }
}
