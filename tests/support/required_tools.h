#pragma once
// Tests that drive outside programs (Xvfb, xdotool, ImageMagick, Pillow, the built programs).
// On a developer's machine a missing one skips the test; in continuous integration (CI set),
// where the install script provides them all, it fails the test, so a green run there proves
// that every such test really ran.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_support {

inline bool InContinuousIntegration() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::string(ci) != "0" && std::string(ci) != "false";
}

// A program found on PATH.
inline bool HaveProgram(const std::string& name) {
    return std::system(("command -v '" + name + "' >/dev/null 2>&1").c_str()) == 0;
}

inline bool HavePythonModule(const std::string& module) {
    return std::system(("/usr/bin/python3 -c 'import " + module + "' >/dev/null 2>&1").c_str()) ==
           0;
}

inline bool HaveFile(const std::string& path) {
    return std::filesystem::exists(path);
}

}  // namespace testing_support

// Ends the current test unless `available` holds: a failure in CI, a skip elsewhere. `what`
// names the missing piece in the message.
#define TEMBRIN_REQUIRE(available, what)                                                        \
    do {                                                                                        \
        if (!(available)) {                                                                     \
            if (::testing_support::InContinuousIntegration()) {                                 \
                FAIL() << (what) << " is missing; CI installs it, so this test must run there"; \
            } else {                                                                            \
                GTEST_SKIP() << (what) << " is missing";                                        \
            }                                                                                   \
        }                                                                                       \
    } while (false)
