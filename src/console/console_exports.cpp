// The console functions that hosts call directly.
#include "console/console.h"
#include "platform/platform.h"
#include "zorak.h"

extern "C" {

ZORAK_API int ZORAK_CALL CloseConsole(void) {
    console_state.console_open = 0;
    return 1;
}

ZORAK_API int ZORAK_CALL Cls(int fill, int attribute) {
    (void)fill;
    if (attribute >= 0) set_text_attribute(static_cast<uint8_t>(attribute));
    if (platformOutputHasColour()) SafeWriteFile("\x1b[2J\x1b[H");
    if (attribute >= 0) reset_attribute();
    return 1;
}

ZORAK_API int ZORAK_CALL ConsoleSetFocus(void) {
    OpenConsole(0);
    return 0;
}

ZORAK_API int ZORAK_CALL Pause(const char* prompt, int, int) {
    if (prompt && *prompt) console_printf("%s", prompt);
    platformFlushOut();
    int key = platformReadKey();
    Writes("\r\n");
    return key;
}

ZORAK_API int ZORAK_CALL CentreConsole(void) { return 0; }
}
