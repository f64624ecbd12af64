// The about box: the program's name, version and makers.
#pragma once

class swCWindow;

constexpr const char* kProgramVersion = "1.0";

// Modal; returns when the person closes it.
void runAboutBox(swCWindow* owner);
