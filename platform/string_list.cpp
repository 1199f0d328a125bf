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
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Add(std::string(text.substr(start)));
            return;
        }
        Add(std::string(text.substr(start, end - start)));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}
