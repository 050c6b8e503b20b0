#pragma once
// Which configuration this translation unit is compiled in: the editor's interactive one, or
// the headless one of libkelmora, where drawing and mouse handling do nothing.

namespace config {
#if defined(TAVREN_HEADLESS) && TAVREN_HEADLESS
inline constexpr bool kInteractive = false;
#else
inline constexpr bool kInteractive = true;
#endif
} // namespace config
