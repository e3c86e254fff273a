#pragma once

// The program's pictures (icons, cursors, the start-up chooser's pictures)
// live in the ui library; anything that shows one makes sure they are loaded.
void EnsureUiResources();
