#include "platform/platform.h"

#include <windows.h>

namespace {

volatile LONG interrupted = 0;
bool watching = false;

BOOL WINAPI onInterrupt(DWORD type) {
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
    InterlockedExchange(&interrupted, 1);
    return TRUE;
}

} // namespace

void platformInterruptWatchBegin() {
    if (watching) return;
    watching = SetConsoleCtrlHandler(onInterrupt, TRUE) != 0;
}

void platformInterruptWatchEnd() {
    if (!watching) return;
    SetConsoleCtrlHandler(onInterrupt, FALSE);
    watching = false;
}

bool platformTakeInterrupt() {
    return InterlockedExchange(&interrupted, 0) != 0;
}
