// The console output commands: puts, echo, textcolor, cls, gotoxy, newline,
// clreol and tab.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

enum class StandardStream { Out, Err, In, None };

StandardStream standardStream(const char* word) {
    if (zorakEqualNoCase(word, "stdout")) return StandardStream::Out;
    if (zorakEqualNoCase(word, "stderr")) return StandardStream::Err;
    if (zorakEqualNoCase(word, "stdin")) return StandardStream::In;
    return StandardStream::None;
}

// puts to the runtime's streams (standard output while the console layer is
// closed), or to a channel opened by the file commands. False when the
// handle names no open stream.
bool putsToStream(const char* word, const std::string& text, bool newline, long* handle) {
    StandardStream standard = word ? standardStream(word) : StandardStream::Out;
    if (standard == StandardStream::Out) {
        console_write_stdout(text.c_str());
        if (newline) console_write_stdout("\n");
        return true;
    }
    if (standard == StandardStream::Err) {
        std::string line = newline ? text + "\n" : text;
        platformWriteErr(line.data(), line.size());
        return true;
    }
    // Standard input is open but takes no output.
    if (standard == StandardStream::In) return true;
    *handle = static_cast<long>(zorakLeadingInt(word));
    FILE* stream = zorakResolveChannel(*handle);
    if (!stream) return false;
    std::fputs(text.c_str(), stream);
    if (newline) std::fputc('\n', stream);
    return true;
}

// The most spaces tab makes and line ends newline writes; a bigger count is
// an error, not an exhausted machine.
constexpr int64_t kMaxCount = 1 << 24;

int countTooLarge(Interpreter* interp, const char* command, int64_t count) {
    zorakReportError(interp, "%s: Count too large (%lli)\n", command,
                     static_cast<long long>(count));
    return ERROR;
}

} // namespace

int zorakCommandPuts(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return OK;
    long handle = 0;
    try {
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
            zorakReportError(interp, "%s: Too many arguments (%li)\n", argv[0],
                             static_cast<long>(count - 1));
            return ERROR;
        }
        const char* streamWord = nullptr;
        if (count >= 3) {
            streamWord = argv[streamIndex];
            textIndex = streamIndex + 1;
        }
        if (textIndex >= argc) textIndex = argc - 1;
        std::string text = argv[textIndex];
        if (zorakSettings.escape) {
            zorakUnescape(text.data());
            text.resize(std::strlen(text.c_str()));
        }
        // The console takes standard output only: a script's stream word
        // sends its text to standard error or to its file while the console
        // is open too.
        bool toConsole = !streamWord || standardStream(streamWord) == StandardStream::Out;
        if (console_state.console_open && toConsole) {
            Writes(text.c_str());
            if (newline) Writes("\r\n");
        } else {
            bool written;
            try {
                written = putsToStream(streamWord, text, newline, &handle);
            } catch (const std::exception&) {
                written = false;
            }
            if (!written) {
                zorakReportError(interp, "%s: Invalid stream handle '%li'\n", argv[0], handle);
                return ERROR;
            }
        }
        zorakSetResult(interp, "", 0);
        return OK;
    } catch (const std::exception&) {
        zorakReportError(interp, "%s: Syntax is puts ?stream? string ?-nonewline?\n", argv[0]);
        return ERROR;
    }
}

int zorakCommandEcho(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return OK;
    bool fromVar = false, hex = false;
    for (int i = 2; i < argc; i++) {
        if (std::strcmp(argv[i], "-var") == 0)
            fromVar = true;
        else if (std::strcmp(argv[i], "-hex") == 0)
            hex = true;
    }
    const char* text = argv[1];
    if (fromVar) {
        Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
        if (!var || !var->value) {
            zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], argv[1]);
            return ERROR;
        }
        text = var->value;
    }
    std::string out;
    if (hex) {
        static const char digits[] = "0123456789abcdef";
        for (const char* p = text; *p; p++) {
            unsigned char c = static_cast<unsigned char>(*p);
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    } else {
        out = text;
    }
    out += '\n';
    console_write_stdout(out.c_str());
    zorakSetResult(interp, text, 0);
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

int zorakCommandCls(Interpreter*, int argc, char** argv, void*) {
    char fill = ' ';
    if (argc >= 2 && argv[1][0] != '-') fill = argv[1][0];
    int attribute = argc >= 3 ? colour_from_text(argv[2]) : 0;
    Cls(static_cast<unsigned char>(fill), attribute);
    return OK;
}

int zorakCommandGotoxy(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    gotoxy(static_cast<long>(zorakLeadingInt(argv[1])),
           static_cast<long>(zorakLeadingInt(argv[2])));
    return OK;
}

int zorakCommandNewline(Interpreter* interp, int argc, char** argv, void*) {
    int64_t count = argc >= 2 ? zorakLeadingInt(argv[1]) : 1;
    uint64_t lines = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
    if (lines > static_cast<uint64_t>(kMaxCount)) return countTooLarge(interp, argv[0], count);
    // Many line ends go out in one write rather than one call each.
    constexpr uint64_t kBatch = 256;
    std::string batch;
    for (uint64_t i = 0; i < kBatch && i < lines; i++)
        batch += "\r\n";
    while (lines > 0) {
        uint64_t now = lines < kBatch ? lines : kBatch;
        console_printf("%s", batch.substr(0, static_cast<size_t>(now) * 2).c_str());
        lines -= now;
        if (zorakInterrupted(interp)) return STOP;
    }
    return OK;
}

int zorakCommandClreol(Interpreter*, int, char**, void*) {
    ConsoleTextInfo info;
    console_get_text_info(&info);
    int count =
        info.screen_width ? info.screen_width - info.cursor_column : 79 - info.cursor_column;
    if (count > 0) console_write_stdout(std::string(static_cast<size_t>(count), ' ').c_str());
    return OK;
}

int zorakCommandTab(Interpreter* interp, int argc, char** argv, void*) {
    int64_t count = argc >= 2 ? zorakLeadingInt(argv[1]) : 1;
    if (count < 1) count = 1;
    if (count > kMaxCount) return countTooLarge(interp, argv[0], count);
    zorakSetResult(interp, std::string(static_cast<size_t>(count), ' ').c_str(), 0);
    return OK;
}

void zorakRegisterOutputCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "puts", zorakCommandPuts, nullptr, 0);
    zorakRegisterCommand(interp, "echo", zorakCommandEcho, nullptr, 0);
    zorakRegisterCommand(interp, "textcolor", zorakCommandTextcolor, nullptr, 0);
    zorakRegisterCommand(interp, "cls", zorakCommandCls, nullptr, 0);
    zorakRegisterCommand(interp, "gotoxy", zorakCommandGotoxy, nullptr, 0);
    zorakRegisterCommand(interp, "newline", zorakCommandNewline, nullptr, 0);
    zorakRegisterCommand(interp, "clreol", zorakCommandClreol, nullptr, 0);
    zorakRegisterCommand(interp, "tab", zorakCommandTab, nullptr, 0);
    zorakRegisterKeyCommands(interp);
    zorakRegisterConsoleCommand(interp);
}
