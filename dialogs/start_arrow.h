// The prompt bar's start arrow, loaded at start-up and freed at shut-down.
#pragma once

#include "lib/file_fault.h"

class swCBitmap;

// kStartArrowFile from the bitmap folder; a picture that cannot be read leaves an empty bitmap.
FileFault loadStartArrowBitmap();
void freeStartArrowBitmap();
// Null outside start-up and shut-down.
swCBitmap* startArrowBitmap();
