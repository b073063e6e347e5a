// The console functions that hosts call directly (OpenConsole and WriteLn
// live beside the writes they share).
#include "interp/export_lock.h"
#include "console/console.h"
#include "platform/platform.h"
#include "zorak.h"

extern "C" {

ZORAK_API int ZORAK_CALL CloseConsole(void) {
    ExportLock lock;
    console_state.console_open = 0;
    return platformConsoleClose();
}

ZORAK_API int ZORAK_CALL Cls(int fill, int attribute) {
    ExportLock lock;
    if (attribute >= 0) set_text_attribute(static_cast<uint8_t>(attribute));
    bool cleared = platformClearScreen(static_cast<char>(fill));
    if (attribute >= 0) reset_attribute();
    return cleared ? 1 : 0;
}

ZORAK_API int ZORAK_CALL ConsoleSetFocus(void) {
    ExportLock lock;
    OpenConsole(0);
    return static_cast<int>(platformConsoleWindow(ConsoleWindowOp::Focus));
}

// Hosts pass three arguments; the last two have no use.
ZORAK_API int ZORAK_CALL Pause(const char* prompt, int, int) {
    ExportLock lock;
    return console_pause(prompt, true);
}

ZORAK_API int ZORAK_CALL CentreConsole(void) {
    ExportLock lock;
    return static_cast<int>(platformConsoleWindow(ConsoleWindowOp::Centre));
}
}
