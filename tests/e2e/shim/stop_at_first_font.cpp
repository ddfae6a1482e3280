// Loaded into the program under test with LD_PRELOAD: the process stops itself (SIGSTOP) the first
// time it opens a font face, which it does while it builds its windows, or, with PC_STOP_AT_FONT
// set, the first time it opens a face file whose path contains that text. A test then acts on the
// stopped process, at a moment it can see in /proc, and lets it go on with SIGCONT.

#include <dlfcn.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {
using NewFace = int (*)(void *library, const char *path, long index, void **face);
std::atomic<bool> stopped{false};
} // namespace

extern "C" __attribute__((visibility("default"))) int FT_New_Face(void *library, const char *path, long index, void **face)
{
    static const auto real = reinterpret_cast<NewFace>(dlsym(RTLD_NEXT, "FT_New_Face"));
    static const char *const wanted = std::getenv("PC_STOP_AT_FONT");
    const bool matches = wanted == nullptr || (path != nullptr && std::strstr(path, wanted) != nullptr);
    if (matches && !stopped.exchange(true))
        std::raise(SIGSTOP);
    return real(library, path, index, face);
}
