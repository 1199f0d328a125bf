// Test support: a fresh folder per test that is also the current directory
// (the container writer spools into the current directory), and whole-file
// helpers.
#ifndef KOMBREL_TESTS_SUPPORT_TEMP_DIR_H
#define KOMBREL_TESTS_SUPPORT_TEMP_DIR_H

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    // Absolute path of a file in the folder, as a narrow string.
    std::string file(std::string_view name) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

std::string ReadFileBytes(const std::filesystem::path &path);
void WriteFileBytes(const std::filesystem::path &path, std::string_view bytes);
// Deterministic bytes that neither repeat quickly nor compress to nothing.
std::string PatternBytes(std::size_t size, unsigned seed = 1);

} // namespace testing_support

#endif
