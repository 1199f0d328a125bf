// The platform's exception classes. Messages are byte strings in the system's
// narrow code page (UTF-8 on Linux), like every path they name.
#ifndef KOMBREL_PLATFORM_EXCEPTIONS_H
#define KOMBREL_PLATFORM_EXCEPTIONS_H

#include <stdexcept>
#include <string>

// Base of every error the platform raises; its message is what the standard
// exception box shows.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// An existing file cannot be opened: "ﾌｧｲﾙ <path> は開けません".
class EFOpenError : public Exception {
public:
    explicit EFOpenError(const std::string &path);
};

// A file cannot be created: "ﾌｧｲﾙ <path> を作成できません".
class EFCreateError : public Exception {
public:
    explicit EFCreateError(const std::string &path);
};

// A stream took fewer bytes than it was given: "ｽﾄﾘｰﾑへの書き込みｴﾗｰ".
class EWriteError : public Exception {
public:
    EWriteError();
};

// An allocation failed, or would pass a bound set against hostile input.
class EOutOfMemory : public Exception {
public:
    EOutOfMemory();
};

// Bytes that are not a picture of the graphic object's own file format.
class EInvalidGraphic : public Exception {
public:
    explicit EInvalidGraphic(const std::string &message);
};

#endif
