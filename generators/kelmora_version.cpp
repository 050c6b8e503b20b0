// Including the whole interface here keeps the installed umbrella header compiling on its own.
#include "kelmora/kelmora.h"

// The library's own version, so a generator can report which runtime it was loaded with.
extern "C" const char* kelmora_version() {
    return KELMORA_VERSION;
}
