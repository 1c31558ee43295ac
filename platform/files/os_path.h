// How the system's texts become the byte strings that Linux takes as file names, and back.
//
// Linux file names are bytes, conventionally UTF-8 whatever the locale says, so paths are
// encoded as UTF-8 and not through the code page of line files: a program folder with
// Japanese in its name must work under the C locale too. A name byte that is not valid UTF-8
// decodes to the lone surrogate U+DC00 + byte and encodes back to that byte, so every name that
// the listing gives can be opened again.
#pragma once

#include <string>
#include <string_view>

#include "platform/text/text.h"

namespace platform {

// The byte path that the OS gets: '\' becomes '/', the rest is UTF-8 as described above.
// A lone surrogate outside U+DC80..U+DCFF has no byte form and becomes U+FFFD.
std::string ToOsPath(std::u16string_view path);

// The text of a name or path that the OS gave.
Text FromOsPath(std::string_view bytes);

}  // namespace platform
