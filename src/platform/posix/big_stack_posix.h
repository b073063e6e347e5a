// The large evaluation stack on Linux, for the rest of the posix layer.
#pragma once

// True when here lies on the calling thread's large stack while it runs
// there; *low then receives the lowest usable address of that stack.
bool posixLargeStackLow(const void* here, const char** low);
