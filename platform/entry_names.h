// Entry names taken as file names under an extraction folder. A container may
// come from anywhere, so its names are checked before any file is created.
#ifndef KOMBREL_PLATFORM_ENTRY_NAMES_H
#define KOMBREL_PLATFORM_ENTRY_NAMES_H

#include <string_view>

#include "platform/codepage.h"

// Whether the name, appended to a folder, names a file inside that folder: it
// is not empty, does not start with "/" or "\", has no drive prefix ("C:"),
// and has no ".." component between "/" or "\" separators. Separators are
// recognised only as characters of their own in the code page.
bool IsSafeEntryName(std::string_view name, CodePage codePage = RunningCodePage());

#endif
