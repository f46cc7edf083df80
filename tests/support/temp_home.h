#pragma once
// A fresh temporary folder set as HOME while the object lives, so that the shell's home and
// desktop never reach the real user's files; HOME is put back as it was afterwards.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/test_folder.h"

namespace testing_support {

class TempHome {
  public:
    enum class Start { Now, Later };
    explicit TempHome(Start start = Start::Now) : path_(folder_.Path().string()) {
        if (start == Start::Now) SetAsHome();
    }
    ~TempHome() {
        if (!active_) return;
        if (oldHome_) {
            ::setenv("HOME", oldHome_->c_str(), 1);
        } else {
            ::unsetenv("HOME");
        }
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    // Makes the folder HOME (once), for fixtures that must set up other things first.
    void SetAsHome() {
        if (active_) return;
        if (const char* old = std::getenv("HOME")) oldHome_ = old;
        ::setenv("HOME", path_.c_str(), 1);
        active_ = true;
    }

    const std::string& Path() const { return path_; }
    // The full path of `relative` inside the home folder.
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    // A file at `relative` inside the home folder (its folders made as needed); its full path.
    std::string Make(const std::string& relative, const std::string& content = "x") const {
        std::string path = *this / relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string MakeDir(const std::string& relative) const {
        std::string path = *this / relative;
        std::filesystem::create_directories(path);
        return path;
    }

  private:
    TestFolder folder_;  // emptied and removed after HOME is restored
    std::string path_;
    std::optional<std::string> oldHome_;
    bool active_ = false;
};

}  // namespace testing_support
