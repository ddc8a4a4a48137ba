#pragma once
// Functions of the system libraries that only some of the program's work needs (the web and the
// echo, the reader of web pages, sounds, COM's variants for the script and late binding): their
// library loads at the first use, not with the program, so the start maps fewer libraries.
#include <windows.h>

#include <string>

#include "runtime/app.h"

namespace rt::detail {

// The function of a system library; one the system lacks is a runtime error, as the import it
// replaces would have kept the program from starting.
inline void* system_function(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  FARPROC function = module ? GetProcAddress(module, name) : nullptr;
  if (!function) runtime_error(0, std::string("system function missing: ") + name);
  return reinterpret_cast<void*>(function);
}

}  // namespace rt::detail

// The system's `function` of the library with its own type, e.g.
// RT_SYSTEM_FUNCTION(L"winmm.dll", mciSendStringW).
#define RT_SYSTEM_FUNCTION(library, function) \
  reinterpret_cast<decltype(&function)>(::rt::detail::system_function(library, #function))
