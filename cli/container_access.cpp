#include "cli/container_access.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "cli/console.h"

bool OpenedContainer::Open(const std::string &path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        Complain(path + ": " + std::strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        Complain(path + ": not a regular file");
        return false;
    }
    fileSize = st.st_size;
    if (!KFile_CheckSignature(path.c_str(), "KOMBREL")) {
        Complain(path + ": not a Kombrel container (no signature)");
        return false;
    }
    if (!KFile_Open(path.c_str(), &reader)) {
        Complain(path + ": damaged container (the directory does not fit in the file)");
        return false;
    }
    return true;
}

OpenedContainer::~OpenedContainer()
{
    KFile_Close(&reader);
}

std::string EntryName(const KFileInfo &info)
{
    return std::string(info.name, strnlen(info.name, sizeof info.name));
}

bool PayloadInsideFile(const OpenedContainer &container, const KFileInfo &info)
{
    return container.reader.base + static_cast<std::int64_t>(info.offset) + info.size <= container.fileSize;
}
