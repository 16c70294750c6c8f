#include "sound/fluid_api.h"

#include <dlfcn.h>

#include <mutex>

#ifndef PORUKAMI_FLUIDSYNTH_SONAME
#define PORUKAMI_FLUIDSYNTH_SONAME "libfluidsynth.so.3"
#endif

namespace porukami {
namespace {

struct Loaded {
  FluidApi api;
  bool ok = false;
  std::string why;
};

Loaded LoadOnce() {
  Loaded out;
  // RTLD_LOCAL: the libraries FluidSynth brings stay out of the program's own symbol lookups.
  void* lib = dlopen(PORUKAMI_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (lib == nullptr) {
    const char* error = dlerror();
    out.why = error != nullptr ? error : "cannot load " PORUKAMI_FLUIDSYNTH_SONAME;
    return out;
  }
#define PORUKAMI_FLUID_LOOKUP(name)                                      \
  out.api.name = reinterpret_cast<decltype(&::name)>(dlsym(lib, #name)); \
  if (out.api.name == nullptr) {                                         \
    out.why = PORUKAMI_FLUIDSYNTH_SONAME " has no function " #name;      \
    return out;                                                          \
  }
  PORUKAMI_FLUID_FUNCTIONS(PORUKAMI_FLUID_LOOKUP)
#undef PORUKAMI_FLUID_LOOKUP
  out.ok = true;
  return out;  // the library is never closed: its threads and handlers may outlive any caller
}

}  // namespace

const FluidApi* LoadFluidApi(std::string* why) {
  static const Loaded loaded = LoadOnce();  // thread-safe, once
  if (why != nullptr) *why = loaded.why;
  return loaded.ok ? &loaded.api : nullptr;
}

}  // namespace porukami
