#pragma once

#include <QImage>
#include <QPixmap>

// The program's built-in pictures, drawn at start rather than shipped as files.
namespace platform::pictures {

// A pen writing on a test page (the test bitmap shown until a test is chosen).
QImage penOnPage(int width = 180, int height = 203);
// The About tab's decoration, 250 x 188.
QImage aboutPicture();
// A white question mark on a green disc, 32 x 32.
QImage questionDisc();
// The small tick shown on the correct-choice buttons, 16 x 16.
QImage tick();

} // namespace platform::pictures
