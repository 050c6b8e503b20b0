#pragma once
// The picture behind the editor's splash window and About box. The window is exactly this size
// and writes its version text at kVersionTextPos, so the picture keeps that corner plain.

#include <QImage>
#include <QPoint>
#include <QRect>

inline constexpr int kSplashWidth = 387;
inline constexpr int kSplashHeight = 242;
inline constexpr QPoint kVersionTextPos{270, 150};
// The room the version text may take, in black on the picture.
inline constexpr QRect kVersionTextRoom{kVersionTextPos.x() - 8, kVersionTextPos.y() - 8, 120, 30};

// Needs a QGuiApplication (fonts).
QImage drawSplashPicture();
