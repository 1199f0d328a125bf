// Test support: container bytes put together field by field, for fixtures the
// writer would never make (hostile headers and directories).
#ifndef KOMBREL_TESTS_SUPPORT_CONTAINER_BYTES_H
#define KOMBREL_TESTS_SUPPORT_CONTAINER_BYTES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

inline std::string LE32(std::uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>(v >> (8 * i));
    return s;
}

// `text` padded with zeros to `width` bytes.
inline std::string Field(std::string_view text, std::size_t width)
{
    std::string field(text);
    field.resize(width, '\0');
    return field;
}

inline std::string HeaderBytes(std::int32_t count, std::string_view signature = "KOMBREL")
{
    return Field(signature, 8) + Field("test", 256) + LE32(static_cast<std::uint32_t>(count));
}

inline std::string RecordBytes(std::string_view nameField, std::uint32_t flags, std::uint32_t offset,
                               std::uint32_t size)
{
    return Field(nameField, 256) + LE32(flags) + LE32(0) + LE32(offset) + LE32(size);
}

struct EntrySpec {
    std::string name;
    std::string payload;
    std::uint32_t flags = 0;
};

// A well-formed container of these entries, payloads in order.
inline std::string ContainerBytes(const std::vector<EntrySpec> &entries)
{
    std::string directory, data;
    for (const EntrySpec &e : entries) {
        directory += RecordBytes(e.name, e.flags, static_cast<std::uint32_t>(data.size()),
                                 static_cast<std::uint32_t>(e.payload.size()));
        data += e.payload;
    }
    return HeaderBytes(static_cast<std::int32_t>(entries.size())) + directory + data;
}

} // namespace testing_support

#endif
