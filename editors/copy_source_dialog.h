// The copy-source dialog: chooses the production type an empty user slot is copied from, among the used
// built-in and user types.
#pragma once

#include "lib/window.h"
#include "ui/window_context.h"

namespace copy_source_id {
enum : int { kPrompt = 1004, kOk = 1018, kCancel, kList = 1028 };
} // namespace copy_source_id

// Runs the dialog modally; the production type (0 to 249) chosen to copy from, or -1 when it was
// cancelled or nothing was listed.
int chooseCopySource(const WindowContext& context, swCWindow* owner);
