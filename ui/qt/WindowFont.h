// The window's font: "ＭＳ ゴシック" at a character height of 16 pixels. Where that font is not
// installed, a Japanese Gothic font of the desktop takes its place, monospaced like it first.
#pragma once

#include <QFont>

QFont Form1Font();
// The status bar's font: the window's at a status bar's usual size, smaller where its lines
// would be taller than tallestLine pixels.
QFont StatusFont(int tallestLine);
