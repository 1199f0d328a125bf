// Lists of text lines. Lines are byte strings in the system's code page, like
// every name the program handles.
#ifndef KOMBREL_PLATFORM_STRING_LIST_H
#define KOMBREL_PLATFORM_STRING_LIST_H

#include <string>
#include <string_view>
#include <vector>

class TStream;

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual const std::string &Strings(int index) const = 0;
    virtual void Add(std::string line) = 0;
    virtual void Clear() = 0;

    // Replaces the lines with those of the text from the stream's position to
    // its end. Lines end at CR LF, LF or CR; a last line without a break is
    // kept, and a text that ends with a break has no empty line after it.
    void LoadFromStream(TStream &stream);
    void SetText(std::string_view text);
};

// Calls `line` with each line of `text`, split as SetText splits it.
template <class LineFunction>
void ForEachLine(std::string_view text, LineFunction line)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            line(text.substr(start));
            return;
        }
        line(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

// The number of lines SetText makes of `text`.
std::size_t LineCount(std::string_view text);

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(lines_.size()); }
    const std::string &Strings(int index) const override { return lines_.at(static_cast<std::size_t>(index)); }
    void Add(std::string line) override { lines_.push_back(std::move(line)); }
    void Clear() override { lines_.clear(); }

private:
    std::vector<std::string> lines_;
};

#endif
