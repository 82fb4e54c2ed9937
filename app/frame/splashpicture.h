#pragma once
// The program's picture, 544 by 341 pixels: shown by the splash window at
// start-up and in the About box. Drawn by the program, so it needs no file.
#include <QPixmap>

namespace korva {

inline constexpr int SplashWidth = 544;
inline constexpr int SplashHeight = 341;

QPixmap SplashPicture();

} // namespace korva
