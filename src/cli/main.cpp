// tembrin-ico-cli: the icon export and picture rendering without a window, and the icon
// compiler (build, info, extract, preview).
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/export/icon_export.h"
#include "codecs/register.h"
#include "command_line.h"
#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "icon_commands.h"
#include "tembrin_version.h"

namespace {

void Export(const cli::Command& command) {
    graphics::TPicture picture;
    picture.LoadFile(command.input);
    std::string written =
        app::ExportIcon(picture.Graphic(), command.size, command.size, command.output);
    std::printf("%s\n", written.c_str());
}

void Render(const cli::Command& command) {
    graphics::TPicture picture;
    picture.LoadFile(command.input);
    graphics::TBitmap bitmap;
    bitmap.SetPixelFormat(graphics::TPixelFormat::pf24bit);
    int width = command.width.value_or(picture.Width());
    int height = command.height.value_or(picture.Height());
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    bitmap.Canvas().DrawGraphic(graphics::Rect(0, 0, width, height), picture.Graphic());
    bitmap.SaveFile(command.output);
}

}  // namespace

int main(int argc, char** argv) {
    cli::Command command;
    try {
        command = cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "tembrin-ico-cli: %s\n\n%s", e.what(), cli::kUsage);
        return 2;
    }
    try {
        codecs::RegisterPictureFormats();
        switch (command.kind) {
            case cli::Command::Kind::Help:
                std::printf("%s", cli::kUsage);
                return 0;
            case cli::Command::Kind::Version:
                std::printf("tembrin-ico-cli %s\n", TEMBRIN_VERSION);
                return 0;
            case cli::Command::Kind::Export:
                Export(command);
                break;
            case cli::Command::Kind::Render:
                Render(command);
                break;
            case cli::Command::Kind::Build:
                return command.outputFolder ? cli::RunBatchBuild(command) : cli::RunBuild(command);
            case cli::Command::Kind::Info:
                return cli::RunInfo(command);
            case cli::Command::Kind::Extract:
                return cli::RunExtract(command);
            case cli::Command::Kind::Preview:
                return cli::RunPreview(command);
        }
    } catch (const core::Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
