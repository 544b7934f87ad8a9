#pragma once

// Standard buttons and dialogs speak French whatever the desktop's language.
// Call once the application object exists.
void Parle_Francais();
