#include "app/window/startup.h"

#include "app/window/form1.h"
#include "codecs/register.h"
#include "graphics/metafile.h"
#include "platform/ole/com.h"
#include "ui/application.h"

namespace app {

namespace {
bool oleRegistered = false;
bool registered = false;
}  // namespace

void RegisterPictureFormats() {
    if (registered) return;
    registered = true;
    // The OLE entry first: registering it creates the registry with its four core formats.
    // It stays for the life of the process.
    if (!oleRegistered) {
        oleRegistered = true;
        graphics::RegisterOleGraphic();
    }
    // Then the codecs, GIF before JPEG.
    codecs::RegisterCodecs();
}

void UnregisterPictureFormats() {
    if (!registered) return;
    registered = false;
    codecs::UnregisterCodecs();
}

void InstallComInitialization() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    ui::TApplication::AddInitProc([] { platform::CoInitialize(nullptr); },
                                  [] { platform::CoUninitialize(); });
}

int RunProgram(const std::string& pictureFile) {
    InstallComInitialization();
    RegisterPictureFormats();
    ui::TApplication& application = ui::Application();
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    auto* form = application.CreateForm<TForm1>();
    if (!pictureFile.empty()) form->OpenWhenShown(pictureFile);
    application.Run();
    application.Reset();
    UnregisterPictureFormats();
    return 0;
}

}  // namespace app
