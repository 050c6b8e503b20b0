#pragma once
// Encodes a picture as the Windows bitmap file the editor's splash window reads: a file header,
// a 40-byte information header and uncompressed 24-bit rows, bottom row first.

#include <QByteArray>

class QImage;

// Opaque pixels only; alpha is dropped.
QByteArray encodeBmp24(const QImage& image);
