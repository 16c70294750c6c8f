#pragma once
// The fuzz targets: each takes any bytes and checks what must hold of the game's reading of them.
// A broken rule is a finding: Fail prints it and aborts, so the fuzzer keeps the input.
#include <string>
#include <string_view>

namespace porukami::fuzz {

[[noreturn]] void Fail(const std::string& what);
#define FUZZ_CHECK(ok) ((ok) ? void() : ::porukami::fuzz::Fail(#ok))

void Game(std::string_view bytes, std::initializer_list<const char*> files);
void Memories(std::string_view), Cp932(std::string_view), Number(std::string_view),
    Mci(std::string_view), Midi(std::string_view);

}  // namespace porukami::fuzz
