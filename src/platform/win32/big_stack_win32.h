// The large evaluation stack on Windows, for the rest of the win32 layer.
#pragma once

// True when here lies on the calling thread's large stack while it runs
// there; *low then receives the lowest usable address of that stack.
bool win32LargeStackLow(const void* here, const char** low);
