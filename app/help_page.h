// The help page: "tkhelp\index.html" opened with the desktop's handler.
#pragma once

class swCWindow;

enum class HelpOutcome { Opened, Missing, NoViewer };

// Opens the page, or tells the person in a message box why it cannot be shown.
HelpOutcome openHelpPage(swCWindow* owner);
