#pragma once
// The program's start-up: the picture formats (codecs/register.h), the application object, the main
// window and the message loop.
#include <functional>
#include <string>

#include "ui/application.h"

namespace app {

inline constexpr const char* kApplicationTitle = "TembrinICO图标生成工具";

// Makes the application's start-up initialise COM on the user-interface thread (and undo it
// at exit). Done once per process.
void InstallComInitialization();

// Makes the program's forms once the application is initialised.
using TFormMaker = std::function<void(ui::TApplication& application)>;

// Runs the program on the current host until the main window closes; returns the exit code.
// A failure while the forms are made (the skin package, the binding of the window's methods)
// is shown in the error box and on stderr, and ends the program with exit code 1. A picture
// named (the program's argument) opens once the window is up.
int RunProgram(const std::string& pictureFile = {});
int RunProgram(const TFormMaker& makeForms);

}  // namespace app
