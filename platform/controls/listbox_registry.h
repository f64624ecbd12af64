// Registration of the list controls' window classes.
#pragma once

namespace platform::controls {

void registerListBoxClasses();
void registerComboBoxClass();
void registerTabClass();
void registerHeaderClass();
void registerListViewClass();

// All of the above, once; also run when the program starts.
void registerListControls();

} // namespace platform::controls
