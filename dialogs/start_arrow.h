// The prompt bar's start arrow, loaded at start-up and freed at shut-down.
#pragma once

class swCBitmap;

// "stparrow.bmp" from the bitmap folder; a picture that cannot be read leaves an empty bitmap.
void loadStartArrowBitmap();
void freeStartArrowBitmap();
// Null outside start-up and shut-down.
swCBitmap* startArrowBitmap();
