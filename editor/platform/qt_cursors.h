#pragma once
// The mouse cursors the shapes and the view ask for: Qt's shapes for the system ones, small
// pictures drawn here for the editor's own (145, 146, 154, 155).

#include "platform/cwnd.h"

#include <QCursor>

QCursor cursorFor(CursorId id);
