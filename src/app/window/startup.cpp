#include "app/window/startup.h"

#include "app/window/form1.h"
#include "graphics/metafile.h"
#include "ui/application.h"

namespace app {

void RegisterPictureFormats() {
    static bool done = false;
    if (done) return;
    done = true;
    // The OLE entry first: registering it creates the registry with its four core formats.
    graphics::RegisterOleGraphic();
    // Then the GIF picture, then the JPEG picture. Their registration calls go here, in this
    // order, once the codecs are part of the build.
}

int RunProgram() {
    RegisterPictureFormats();
    ui::TApplication& application = ui::Application();
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    application.CreateForm<TForm1>();
    application.Run();
    application.Reset();
    return 0;
}

}  // namespace app
