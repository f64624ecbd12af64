// Button and edit messages the dialog manager sends to its controls (the controls area
// declares them too; the guards keep both in step).
#pragma once

#ifndef BM_GETCHECK
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#endif
#ifndef BST_UNCHECKED
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#endif
#ifndef BS_PUSHBUTTON
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#endif
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#ifndef EM_SETSEL
#define EM_SETSEL 0x00B1
#endif
