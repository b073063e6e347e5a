#include "platform/platform.h"

#include <csignal>

namespace {

volatile sig_atomic_t interrupted = 0;
struct sigaction previous;
bool watching = false;

void onInterrupt(int) {
    interrupted = 1;
}

} // namespace

void platformInterruptWatchBegin() {
    if (watching) return;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGINT, &action, &previous) == 0) watching = true;
}

void platformInterruptWatchEnd() {
    if (!watching) return;
    sigaction(SIGINT, &previous, nullptr);
    watching = false;
}

bool platformTakeInterrupt() {
    if (!interrupted) return false;
    interrupted = 0;
    return true;
}
