#pragma once
// FluidSynth, loaded at run time. The library and the forty libraries it needs (sound servers,
// codecs, SDL) cost a program several milliseconds before main(); the music device loads them on
// its own thread instead, once the window is on the screen. Only FluidSynth's headers are used
// at build time; the functions are looked up by name.
#include <fluidsynth.h>

#include <string>

namespace porukami {

// Every FluidSynth function the music device calls.
// NOLINTNEXTLINE(cppcoreguidelines-macro-usage): one list drives the table and the lookup.
#define PORUKAMI_FLUID_FUNCTIONS(X)   \
  X(fluid_set_log_function)           \
  X(new_fluid_settings)               \
  X(delete_fluid_settings)            \
  X(fluid_settings_setnum)            \
  X(fluid_settings_setint)            \
  X(fluid_settings_setstr)            \
  X(new_fluid_synth)                  \
  X(delete_fluid_synth)               \
  X(fluid_synth_sfload)               \
  X(fluid_synth_get_internal_bufsize) \
  X(fluid_synth_write_float)          \
  X(fluid_synth_all_notes_off)        \
  X(new_fluid_audio_driver2)          \
  X(delete_fluid_audio_driver)        \
  X(new_fluid_player)                 \
  X(delete_fluid_player)              \
  X(fluid_player_add_mem)             \
  X(fluid_player_play)                \
  X(fluid_player_stop)                \
  X(fluid_player_seek)                \
  X(fluid_player_get_status)          \
  X(fluid_player_get_current_tick)    \
  X(fluid_player_get_total_ticks)     \
  X(fluid_player_get_midi_tempo)      \
  X(fluid_player_set_tick_callback)

struct FluidApi {
// NOLINTNEXTLINE(bugprone-macro-parentheses): the argument names a function and a member.
#define PORUKAMI_FLUID_MEMBER(name) decltype(&::name) name = nullptr;
  PORUKAMI_FLUID_FUNCTIONS(PORUKAMI_FLUID_MEMBER)
#undef PORUKAMI_FLUID_MEMBER
};

// Loads FluidSynth the first time it is called, from any thread; later calls return the same
// table at once. Null when the library or one of its functions cannot be had; `why` then says
// what is missing. The library stays loaded until the program ends.
const FluidApi* LoadFluidApi(std::string* why = nullptr);

}  // namespace porukami
