#include "app/window/startup.h"

#include <cstdio>

#include "app/window/form1.h"
#include "codecs/register.h"
#include "platform/ole/com.h"
#include "ui/application.h"

namespace app {

namespace {
// The program cannot go on: the user reads why in the error box, and a script on stderr.
void ReportStartupFailure(const std::exception& error) {
    std::fprintf(stderr, "tembrin-ico: %s\n", ui::ErrorDisplayText(error.what()).c_str());
    try {
        ui::Application().ShowException(error);
    } catch (const std::exception& boxError) {
        std::fprintf(stderr, "tembrin-ico: the error box failed: %s\n", boxError.what());
    }
}

}  // namespace

void InstallComInitialization() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    ui::TApplication::AddInitProc([] { platform::CoInitialize(nullptr); },
                                  [] { platform::CoUninitialize(); });
}

int RunProgram(const std::string& pictureFile) {
    return RunProgram([&pictureFile](ui::TApplication& application) {
        auto* form = application.CreateForm<TForm1>();
        if (!pictureFile.empty()) form->OpenWhenShown(pictureFile);
    });
}

int RunProgram(const TFormMaker& makeForms) {
    InstallComInitialization();
    codecs::RegisterPictureFormats();
    ui::TApplication& application = ui::Application();
    int code = 0;
    try {
        application.Initialize();
        application.SetTitle(kApplicationTitle);
        makeForms(application);
        application.Run();
    } catch (const std::exception& error) {
        ReportStartupFailure(error);
        code = 1;
    }
    application.Reset();
    codecs::UnregisterPictureFormats();
    return code;
}

}  // namespace app
