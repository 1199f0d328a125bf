// Folder part and file-name part of a path, as the program shows and builds
// paths. The cut is at the last separator and never falls inside a double-byte
// character, so the second byte of a Shift-JIS character that happens to be
// 0x5C is not taken for "\".
#ifndef KOMBREL_PLATFORM_PATHS_H
#define KOMBREL_PLATFORM_PATHS_H

#include <optional>
#include <string>
#include <string_view>

#include "platform/codepage.h"

struct PathStyle {
    std::string_view separators; // bytes that end a folder
    CodePage codePage;

    static PathStyle Running();   // "/" and the locale's code page on Linux
    static PathStyle Windows();   // "\" and ":" with Shift-JIS
};

// A seam for tests: while one of these lives, PathStyle::Running() returns
// its style, so the program's own path handling (the jobs' entry names and
// output folders) can be run in the Windows style with Shift-JIS on Linux.
// The destructor puts back the style that was running before. The style's
// separators must outlive the override. Not for use by the program.
class RunningPathStyleOverride {
public:
    explicit RunningPathStyleOverride(PathStyle style);
    ~RunningPathStyleOverride();
    RunningPathStyleOverride(const RunningPathStyleOverride &) = delete;
    RunningPathStyleOverride &operator=(const RunningPathStyleOverride &) = delete;

private:
    std::optional<PathStyle> previous_;
};

// Everything up to and including the last separator ("" when there is none).
std::string ExtractFilePath(std::string_view path, PathStyle style = PathStyle::Running());

// Everything after the last separator (the whole path when there is none).
std::string ExtractFileName(std::string_view path, PathStyle style = PathStyle::Running());

// Full path of the running program file.
std::string RunningProgramPath();

#endif
