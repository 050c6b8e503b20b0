// The library's own version, so a generator can report which runtime it was loaded with.
extern "C" const char* kelmora_version() { return "4.1.0"; }
