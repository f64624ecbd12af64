// The program's resources that live in code: its accelerator table.
#pragma once

// Registers them once; later calls do nothing.
void registerProgramResources();
