#pragma once

// What the program sets up before its main window: its name, its icon, the
// French translations and the light style.
void Prepare_Application();
