// A fresh folder for one test, removed with everything in it afterwards; whole-file helpers.
#pragma once
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include <unistd.h>

namespace tolvi::testing {

class TempFolder {
 public:
  TempFolder() {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;  // a test may have left the folder read-only
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // The full path of a name inside the folder, as the program's UTF-8 string.
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  inline static std::atomic<int> count_{0};
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
      ("tolvi-test-" + std::to_string(::getpid()) + "-" + std::to_string(count_++));
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace tolvi::testing
