// Console output commands.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/text.h"

#include <cstdio>
#include <cstring>
#include <string>

int zorakCommandPuts(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return OK;
    bool newline = true;
    int count = argc;
    int streamIndex = 1, textIndex = 1;
    if (argv[argc - 1][0] == '-') {
        if (zorakEqualNoCase(argv[argc - 1], "-nonewline")) {
            newline = false;
            count--;
        }
    } else if (argv[1][0] == '-' && zorakEqualNoCase(argv[1], "-nonewline")) {
        newline = false;
        count--;
        streamIndex = 2;
        textIndex = argc == 3 ? 2 : 3;
    }
    if (count > 4) {
        zorakReportError(interp, "%s: Too many arguments (%i)\n", argv[0], count - 1);
        return ERROR;
    }
    FILE* stream = stdout;
    if (count >= 3) {
        textIndex = streamIndex + 1;
        const char* word = argv[streamIndex];
        if (zorakEqualNoCase(word, "stderr")) stream = stderr;
        else if (zorakEqualNoCase(word, "stdin")) stream = stdin;
    }
    if (textIndex >= argc) textIndex = argc - 1;
    std::string text = argv[textIndex];
    if (zorakSettings.escape) zorakUnescape(text.data());
    text.resize(std::strlen(text.c_str()));
    if (console_state.console_open) {
        Writes(text.c_str());
        if (newline) Writes("\r\n");
    } else {
        std::fputs(text.c_str(), stream);
        if (newline) std::fputc('\n', stream);
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandTextcolor(Interpreter*, int argc, char** argv, void*) {
    if (argc < 2) {
        set_text_attribute(7);
    } else if (argc == 2 || std::strcmp(argv[2], "-") == 0) {
        set_foreground(colour_from_text(argv[1]));
    } else if (std::strcmp(argv[1], "-") == 0) {
        set_background(colour_from_text(argv[2]) * 16);
    } else {
        set_text_attribute(
            static_cast<uint8_t>(colour_from_text(argv[1]) | (colour_from_text(argv[2]) * 16)));
    }
    OpenConsole(0);
    return OK;
}

void zorakRegisterOutputCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "puts", zorakCommandPuts, nullptr, 0);
    zorakRegisterCommand(interp, "textcolor", zorakCommandTextcolor, nullptr, 0);
}
