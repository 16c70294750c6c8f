#pragma once
// Conversion between the game's UTF-8 strings and the CP932 (Windows-31J) bytes of its files.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace porukami::text {

// Decodes CP932 bytes. Bytes that CP932 cannot read become U+FFFD; `bad` (if given) is set when
// that happened.
std::string Cp932ToUtf8(std::string_view bytes, bool* bad = nullptr);

// Encodes UTF-8 as CP932. Returns nothing when a character has no CP932 form (or the input is not
// UTF-8); `badOffset` then receives the byte offset in `utf8` of the first such character.
std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::size_t* badOffset = nullptr);

}  // namespace porukami::text
