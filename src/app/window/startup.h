#pragma once
// The program's start-up: the picture formats, the application object, the main window and
// the message loop.
#include <string>

namespace app {

inline constexpr const char* kApplicationTitle = "TembrinICO图标生成工具";

// Adds the picture formats the program opens beyond the core four, in their fixed order.
void RegisterPictureFormats();
// Takes the codecs' formats out again at shutdown.
void UnregisterPictureFormats();

// Makes the application's start-up initialise COM on the user-interface thread (and undo it
// at exit). Done once per process.
void InstallComInitialization();

// Runs the program on the current host until the main window closes; returns the exit code.
// A picture named (the program's argument) opens once the window is up.
int RunProgram(const std::string& pictureFile = {});

}  // namespace app
