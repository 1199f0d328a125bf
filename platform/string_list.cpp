#include "platform/string_list.h"

#include "platform/stream.h"

void TStrings::LoadFromStream(TStream &stream)
{
    // Read everything first, so that a stream error leaves the lines as they were.
    SetText(ReadToEnd(stream));
}

void TStrings::SetText(std::string_view text)
{
    Clear();
    ForEachLine(text, [this](std::string_view line) { Add(std::string(line)); });
}

std::size_t LineCount(std::string_view text)
{
    std::size_t count = 0;
    ForEachLine(text, [&count](std::string_view) { ++count; });
    return count;
}
