// Writes the fuzz targets' seed corpora with the project's own writer and
// codec: small valid containers, plain and compressed, and zlib payloads.
//   make_seed_corpus FOLDER   writes FOLDER/container/* and FOLDER/inflate/*
// fuzz/corpus holds its output; a test checks that the two agree.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "container/kfile.h"
#include "platform/memory_stream.h"

namespace fs = std::filesystem;

namespace {

struct Entry {
    std::string name;
    std::string content;
    bool compressed;
};

struct Seed {
    const char *file;
    std::vector<Entry> entries;
};

// Lines of text that compress to a few dozen bytes.
std::string Lines()
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line " + std::to_string(i) + " of a short text\r\n";
    return text;
}

// Bytes that repeat too seldom to compress well (dynamic Huffman blocks).
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char &c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>('a' + (state >> 16) % 26);
    }
    return bytes;
}

// The smallest picture TBitmap accepts: one black pixel, 24 bits.
std::string OnePixelBitmap()
{
    const unsigned char bytes[] = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,      // file header
        40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0,     // info header
        0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0,                                           // the pixel, padded
    };
    return std::string(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

bool WriteContainer(const Seed &seed)
{
    KFileWriter writer;
    KFile_FileKombrel_Init(&writer);
    if (!KFile_FileKombrel_Start(&writer, seed.file))
        return false;
    bool ok = true;
    for (const Entry &entry : seed.entries) {
        TMemoryStream source;
        source.WriteBuffer(entry.content.data(), entry.content.size());
        source.SetPosition(0);
        ok &= entry.compressed ? KFile_AddStreamCompressed(&writer, &source, entry.name.c_str())
                               : KFile_AddStream(&writer, &source, entry.name.c_str());
    }
    return KFile_FileKombrel_End(&writer) == 1 && ok;
}

bool WritePayload(const char *file, const std::string &content)
{
    TMemoryStream source, payload;
    source.WriteBuffer(content.data(), content.size());
    source.SetPosition(0);
    if (!KFile_DeflateStream(&source, &payload))
        return false;
    std::ofstream out(file, std::ios::binary);
    const std::string bytes = payload.Bytes();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus FOLDER\n");
        return 2;
    }
    const fs::path root = fs::absolute(argv[1]);
    const std::vector<Seed> containers = {
        {"empty.kbr", {}},
        {"plain.kbr", {{"a.txt", "hello", false}}},
        {"compressed.kbr", {{"lines.txt", Lines(), true}}},
        {"worked-example.kbr", {{"a.txt", "hello", false}, {"b.dat", "hello, world", true}}},
        {"names.kbr",
         {{"Same.txt", "first", false},
          {"SAME.TXT", "second", true},
          {"", "", false},
          {"empty.z", "", true},
          {std::string(255, 'n'), "long name", false}}},
        {"picture.kbr", {{"pixel.bmp", OnePixelBitmap(), false}, {"packed.bmp", OnePixelBitmap(), true}}},
        {"larger.kbr", {{"pattern", Pattern(3000), true}, {"plain", Pattern(2100), false}}},
    };
    const std::vector<std::pair<const char *, std::string>> payloads = {
        {"empty.z", ""},
        {"text.z", Lines()},
        {"pattern.z", Pattern(3000)},
        {"repeated.z", std::string(5000, 'a')},
    };

    // The writer spools into the current folder, so each corpus is made in
    // its own.
    fs::create_directories(root / "container");
    fs::create_directories(root / "inflate");
    fs::current_path(root / "container");
    for (const Seed &seed : containers) {
        if (!WriteContainer(seed)) {
            std::fprintf(stderr, "%s: cannot write\n", seed.file);
            return 1;
        }
    }
    fs::current_path(root / "inflate");
    for (const auto &[file, content] : payloads) {
        if (!WritePayload(file, content)) {
            std::fprintf(stderr, "%s: cannot write\n", file);
            return 1;
        }
    }
    return 0;
}
