#include "platform/paths.h"

#include <filesystem>

// Set only by RunningPathStyleOverride.
static std::optional<PathStyle> runningOverride;

PathStyle PathStyle::Running()
{
    return runningOverride.value_or(PathStyle{"/", RunningCodePage()});
}

PathStyle PathStyle::Windows()
{
    return PathStyle{"\\:", CodePage::ShiftJis};
}

// Length of the folder part: the position just after the last separator that
// starts a character of its own.
static std::size_t FolderLength(std::string_view path, const PathStyle &style)
{
    std::size_t folder = 0;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t n = CharLength(path.substr(i), style.codePage);
        if (n == 1 && style.separators.find(path[i]) != std::string_view::npos)
            folder = i + 1;
        i += n;
    }
    return folder;
}

std::string ExtractFilePath(std::string_view path, PathStyle style)
{
    return std::string(path.substr(0, FolderLength(path, style)));
}

std::string ExtractFileName(std::string_view path, PathStyle style)
{
    return std::string(path.substr(FolderLength(path, style)));
}

RunningPathStyleOverride::RunningPathStyleOverride(PathStyle style) : previous_(runningOverride)
{
    runningOverride = style;
}

RunningPathStyleOverride::~RunningPathStyleOverride()
{
    runningOverride = previous_;
}

std::string RunningProgramPath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}
