#include "platform/exceptions.h"

EFOpenError::EFOpenError(const std::string &path) : Exception("ﾌｧｲﾙ " + path + " は開けません") {}

EFCreateError::EFCreateError(const std::string &path) : Exception("ﾌｧｲﾙ " + path + " を作成できません") {}

EWriteError::EWriteError() : Exception("ｽﾄﾘｰﾑへの書き込みｴﾗｰ") {}

EOutOfMemory::EOutOfMemory() : Exception("メモリが不足しています") {}

EInvalidGraphic::EInvalidGraphic(const std::string &message) : Exception(message) {}
