#pragma once
// The object browser's eight icons, drawn rather than loaded so that they stay sharp at 16
// pixels and at twice that on a high-density screen.

#include <QIcon>

namespace objecticons {

// In the browser's order: 0 the chart, 1 state, 2 transition between two states,
// 3 self-transition, 4 transition with a missing end, 5 message, 6 initial state,
// 7 final state.
enum Index { Chart, State, Transition, SelfTransition, LooseTransition, Message, Initial, Final };
inline constexpr int cCount = 8;

// Built once, on first use (a QApplication must exist).
const QIcon& icon(int index);

} // namespace objecticons
