// The help page: "tkhelp\index.html" opened with the desktop's handler.
#pragma once

#include "platform/windows.h"

class swCWindow;

enum class HelpOutcome { Opened, Missing, NoViewer };

// Opens the page, or tells the person in a message box why it cannot be shown.
// NoViewer when no opener could be started; one that starts and fails later is told by the same
// box when the owner receives ui_message::kHelpPageNotShown.
HelpOutcome openHelpPage(swCWindow* owner);
// The box that names the page for the person to open by hand.
void tellHelpPageNotShown(HWND owner);
