// The command-line tool runs where there is no window system: it links no part of it.
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_process.h"
#include "support/required_tools.h"

namespace cli_testing {
namespace {

class CliLinks : public CliTest {};

TEST_F(CliLinks, TheToolLinksNeitherSdlNorAnyOtherWindowSystemLibrary) {
    TEMBRIN_REQUIRE(testing_support::HaveProgram("ldd"), "ldd");
    const std::string libraries = Path("libraries");
    ASSERT_EQ(
        Shell("ldd " + std::string(TEMBRIN_BINARY_DIR) + "/src/cli/tembrin-ico-cli > " + libraries),
        0);
    const std::string text = Slurp(libraries);
    EXPECT_NE(text.find("libc.so"), std::string::npos) << text;  // ldd did list the libraries
    for (const char* library : {"libSDL2", "libX11", "libwayland", "libxcb"})
        EXPECT_EQ(text.find(library), std::string::npos) << library << " in\n" << text;
}

}  // namespace
}  // namespace cli_testing
