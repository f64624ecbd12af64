// The registry of the controls area: every class of the folder, registered once as a system
// class, at program start and again (harmlessly) by InitCommonControls.
#pragma once

namespace platform::controls {

void registerClasses();

// Standard controls, trackbar and tooltips.
void registerButtonClass();
void registerStaticClass();
void registerEditClass();
void registerScrollBarClass();
void registerTrackbarClass();
void registerTooltipClass();

// List controls: ListBox (and the combo box's "ComboLBox"), ComboBox, tabs, header, list view.
void registerListBoxClasses();
void registerComboBoxClass();
void registerTabClass();
void registerHeaderClass();
void registerListViewClass();

} // namespace platform::controls
