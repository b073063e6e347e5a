// The commands that read single keys: pause, inkey, getkey and waitkey.
// Keys come from the console; at the end of input every read gives Escape
// (27), so a script whose standard input is closed never waits for ever.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

void setNumberResult(Interpreter* interp, int64_t value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
}

} // namespace

int zorakCommandPause(Interpreter* interp, int argc, char** argv, void*) {
    bool quiet = false;
    for (int i = 1; i < argc; i++)
        if (std::strncmp(argv[i], "-q", 2) == 0) quiet = true;
    if (quiet) {
        // Waits for a key and leaves it for the next read.
        platformKeyAvailable(-1);
    } else {
        console_pause(argc >= 2 ? argv[1] : "Press a key...", true);
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandInkey(Interpreter* interp, int argc, char** argv, void*) {
    if (argc >= 2 && std::strcmp(argv[1], "-flush") == 0) {
        platformFlushInput();
        zorakSetResult(interp, "", 0);
        return OK;
    }
    setNumberResult(interp, platformKeyAvailable(0) ? platformReadKey() : 0);
    return OK;
}

int zorakCommandGetkey(Interpreter* interp, int argc, char** argv, void*) {
    bool asInteger = false, lower = false, upper = false;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-integer"))
            asInteger = true;
        else if (zorakEqualNoCase(argv[i], "-lower"))
            lower = true;
        else if (zorakEqualNoCase(argv[i], "-upper"))
            upper = true;
    }
    platformKeyAvailable(-1);
    int key = platformReadKey();
    if (lower && key >= 'A' && key <= 'Z')
        key += 'a' - 'A';
    else if (upper && !lower && key >= 'a' && key <= 'z')
        key -= 'a' - 'A';
    if (asInteger) {
        setNumberResult(interp, key);
    } else {
        char text[2] = {static_cast<char>(key), '\0'};
        zorakSetResult(interp, text, 0);
    }
    return OK;
}

int zorakCommandWaitkey(Interpreter* interp, int argc, char** argv, void*) {
    if (argc >= 2 && std::strcmp(argv[1], "-flush") == 0) {
        platformFlushInput();
        zorakSetResult(interp, "", 0);
        return OK;
    }
    int64_t timeout = argc >= 2 ? zorakLeadingInt(argv[1]) : 1000;
    if (timeout < 0) timeout = 0;
    // The wait goes in steps of a tenth of a second; a part step is not waited.
    int64_t wait = timeout / 100 * 100;
    if (wait > INT_MAX) wait = INT_MAX;
    int key = 0;
    if (wait > 0 && platformKeyAvailable(static_cast<int>(wait))) key = platformReadKey();
    setNumberResult(interp, key);
    return OK;
}

void zorakRegisterKeyCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "pause", zorakCommandPause, nullptr, 0);
    zorakRegisterCommand(interp, "inkey", zorakCommandInkey, nullptr, 0);
    zorakRegisterCommand(interp, "getkey", zorakCommandGetkey, nullptr, 0);
    zorakRegisterCommand(interp, "waitkey", zorakCommandWaitkey, nullptr, 0);
}
