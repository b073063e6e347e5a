// The desktop services: messages and questions (msgbox, inputbox, input,
// input_csv), the file and folder choosers, the clipboard, sound, and
// drawing on the console screen (box, screen). Where the system has its own
// dialogs they are used; elsewhere the console asks when a person can type
// into it, and otherwise each command answers its default at once, so a
// script without a terminal never waits.
#include "services/folder_commands.h"

#include "commands/list_core.h"
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int answer(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

// Splits words into plain arguments and "-name value" options; flags are
// options that take no value.
struct Words {
    std::vector<std::string> plain;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> flags;
    bool has(const char* flag) const {
        for (const std::string& f : flags)
            if (f == flag) return true;
        return false;
    }
    const std::string* option(const char* name) const {
        for (const auto& pair : options)
            if (pair.first == name) return &pair.second;
        return nullptr;
    }
};

bool splitWords(Interpreter* interp, int argc, char** argv, const char* valued, const char* flags,
                Words* words) {
    for (int i = 1; i < argc; i++) {
        std::string word = argv[i];
        if (word.size() < 2 || word[0] != '-') {
            words->plain.push_back(word);
            continue;
        }
        std::string name = word.substr(1);
        for (char& c : name)
            c = zorakLowerAscii(c);
        std::string key = " " + name + " ";
        if (std::strstr(valued, key.c_str())) {
            if (i + 1 >= argc) {
                zorakReportError(interp, "%s: Option '%s' needs a value\n", argv[0], argv[i]);
                return false;
            }
            words->options.emplace_back(name, argv[++i]);
        } else if (std::strstr(flags, key.c_str())) {
            words->flags.push_back(name);
        } else {
            zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], argv[i]);
            return false;
        }
    }
    return true;
}

// Writes a prompt on the console and reads the answer; false when nobody
// can answer (no terminal, or the input ended).
bool ask(const std::string& prompt, std::string* line) {
    if (!platformInputIsTerminal()) return false;
    Writes(prompt.c_str());
    platformFlushOut();
    return platformReadAnswer(line);
}

// ---- Messages and questions ----

struct ButtonSet {
    const char* flag;
    PlatformButtons buttons;
    const char* prompt;
};

const ButtonSet kButtonSets[] = {
    {"ok", PlatformButtons::Ok, "[O]k"},
    {"okcancel", PlatformButtons::OkCancel, "[O]k [C]ancel"},
    {"yesno", PlatformButtons::YesNo, "[Y]es [N]o"},
    {"yesnocancel", PlatformButtons::YesNoCancel, "[Y]es [N]o [C]ancel"},
    {"retrycancel", PlatformButtons::RetryCancel, "[R]etry [C]ancel"},
};

const char* answerName(PlatformAnswer a) {
    switch (a) {
    case PlatformAnswer::Ok:
        return "ok";
    case PlatformAnswer::Yes:
        return "yes";
    case PlatformAnswer::No:
        return "no";
    case PlatformAnswer::Retry:
        return "retry";
    default:
        return "cancel";
    }
}

// The answer when nobody can give one: the cautious button (cancel, or no
// to a plain question), never yes.
PlatformAnswer cautiousAnswer(PlatformButtons buttons) {
    switch (buttons) {
    case PlatformButtons::Ok:
        return PlatformAnswer::Ok;
    case PlatformButtons::YesNo:
        return PlatformAnswer::No;
    default:
        return PlatformAnswer::Cancel;
    }
}

// A key as an answer the buttons offer; false for a key they do not.
bool keyAnswer(int key, PlatformButtons buttons, PlatformAnswer* out) {
    char c = zorakLowerAscii(static_cast<char>(key));
    bool hasOk = buttons == PlatformButtons::Ok || buttons == PlatformButtons::OkCancel;
    bool hasYes = buttons == PlatformButtons::YesNo || buttons == PlatformButtons::YesNoCancel;
    bool hasCancel = buttons != PlatformButtons::Ok && buttons != PlatformButtons::YesNo;
    if (key == 27) {
        *out = cautiousAnswer(buttons);
        return true;
    }
    if (key == '\r' || key == '\n') {
        // Enter takes the first button, as a dialog's default does.
        *out = hasOk ? PlatformAnswer::Ok : hasYes ? PlatformAnswer::Yes : PlatformAnswer::Retry;
        return true;
    }
    if (c == 'o' && hasOk)
        *out = PlatformAnswer::Ok;
    else if (c == 'y' && hasYes)
        *out = PlatformAnswer::Yes;
    else if (c == 'n' && hasYes)
        *out = PlatformAnswer::No;
    else if (c == 'c' && hasCancel)
        *out = PlatformAnswer::Cancel;
    else if (c == 'r' && buttons == PlatformButtons::RetryCancel)
        *out = PlatformAnswer::Retry;
    else
        return false;
    return true;
}

// msgbox text ?title? ?-ok|-okcancel|-yesno|-yesnocancel|-retrycancel?
// ?-info|-warning|-error|-question?: the button pressed.
int zorakCommandMsgbox(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, "",
                    " ok okcancel yesno yesnocancel retrycancel info warning error question ",
                    &words))
        return ERROR;
    if (words.plain.empty() || words.plain.size() > 2) return zorakWrongArgs(interp, argc, argv);
    const std::string& text = words.plain[0];
    std::string title = words.plain.size() > 1 ? words.plain[1] : "Zorak";
    const ButtonSet* set = &kButtonSets[0];
    for (const ButtonSet& candidate : kButtonSets)
        if (words.has(candidate.flag)) set = &candidate;
    PlatformIcon icon = words.has("info")       ? PlatformIcon::Info
                        : words.has("warning")  ? PlatformIcon::Warning
                        : words.has("error")    ? PlatformIcon::Error
                        : words.has("question") ? PlatformIcon::Question
                                                : PlatformIcon::None;
    if (platformHasDialogs())
        return answer(interp, answerName(platformDialogMessage(text.c_str(), title.c_str(),
                                                               set->buttons, icon)));
    // The message is written even when nobody can answer, so it is not lost.
    std::string shown = title + ": " + text + "\r\n";
    Writes(shown.c_str());
    PlatformAnswer result = cautiousAnswer(set->buttons);
    if (platformInputIsTerminal()) {
        std::string prompt = std::string(set->prompt) + " ";
        Writes(prompt.c_str());
        platformFlushOut();
        while (!keyAnswer(platformReadKey(), set->buttons, &result)) {
        }
        Writes("\r\n");
    }
    return answer(interp, answerName(result));
}

// inputbox prompt ?title? ?default?: the line typed; an empty line or no
// one to type gives the default.
int zorakCommandInputbox(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    std::string title = argc > 2 ? argv[2] : "", fallback = argc > 3 ? argv[3] : "";
    std::string prompt = title.empty() ? "" : title + ": ";
    prompt += argv[1];
    if (!fallback.empty()) prompt += " [" + fallback + "]";
    prompt += " ";
    std::string line;
    if (!ask(prompt, &line) || line.empty()) return answer(interp, fallback);
    return answer(interp, line);
}

// input ?prompt? ?-default text? ?-key?: a line (or with -key one key)
// typed at the console; the default when nobody can type.
int zorakCommandInput(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, " default ", " key ", &words)) return ERROR;
    if (words.plain.size() > 1) return zorakWrongArgs(interp, argc, argv);
    std::string prompt = words.plain.empty() ? "" : words.plain[0];
    const std::string* fallback = words.option("default");
    std::string result = fallback ? *fallback : "";
    if (!platformInputIsTerminal()) return answer(interp, result);
    if (words.has("key")) {
        Writes(prompt.c_str());
        platformFlushOut();
        int key = platformReadKey();
        Writes("\r\n");
        // Escape (also the end of input) and extended keys give the default.
        if (key == 27 || key == 0 || key == 224) {
            if (key != 27) platformReadKey();
            return answer(interp, result);
        }
        return answer(interp, std::string(1, static_cast<char>(key)));
    }
    std::string line;
    if (!ask(prompt, &line)) return answer(interp, result);
    return answer(interp, line);
}

// The fields of one line of comma-separated values: a field in double
// quotes may hold separators, and "" stands for one quote in it.
std::vector<std::string> csvFields(const std::string& line, char separator) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); i++) {
        char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                i++;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"' && fields.back().empty()) {
            quoted = true;
        } else if (c == separator) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// input_csv ?prompt? ?-default text? ?-separator c?: the fields of the line
// typed, as a list.
int zorakCommandInputCsv(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, " default separator ", "", &words)) return ERROR;
    if (words.plain.size() > 1) return zorakWrongArgs(interp, argc, argv);
    const std::string* separator = words.option("separator");
    if (separator && separator->size() != 1) {
        zorakReportError(interp, "%s: The separator must be one character\n", argv[0]);
        return ERROR;
    }
    const std::string* fallback = words.option("default");
    std::string line = fallback ? *fallback : "";
    std::string typed;
    if (ask(words.plain.empty() ? "" : words.plain[0], &typed)) line = typed;
    if (line.empty()) return answer(interp, "");
    std::string list;
    for (const std::string& field : csvFields(line, separator ? (*separator)[0] : ','))
        zorakListAppendWord(&list, field);
    return answer(interp, list);
}

// ---- File and folder choosers ----

// The console form of a chooser: asks until the answer fits (an existing
// file, an existing folder) or is empty; empty means cancelled.
std::string askPath(const std::string& title, const std::string& folder, PlatformFileType must) {
    std::string line;
    for (;;) {
        if (!ask(title + ": ", &line) || line.empty()) return "";
        std::string path = line;
        if (!folder.empty() && !platformIsAbsolutePath(path.c_str()))
            path = folder + (folder.back() == '/' || folder.back() == '\\' ? "" : "/") + path;
        if (must == PlatformFileType::None) return path;
        PlatformFileInfo info;
        if (platformFileInfo(path.c_str(), true, &info) && info.type == must) return path;
        Writes(must == PlatformFileType::Directory ? "No such folder\r\n" : "No such file\r\n");
    }
}

// get_fileopen / get_filesave ?title? ?-dir folder? ?-file name? ?-filter
// filters?: the file chosen, or "" when cancelled.
int chooseFile(Interpreter* interp, int argc, char** argv, bool save) {
    Words words;
    if (!splitWords(interp, argc, argv, " dir file filter ", "", &words)) return ERROR;
    if (words.plain.size() > 1) return zorakWrongArgs(interp, argc, argv);
    std::string title = words.plain.empty() ? (save ? "Save as" : "Open") : words.plain[0];
    const std::string* folder = words.option("dir");
    const std::string* name = words.option("file");
    const std::string* filter = words.option("filter");
    if (platformHasDialogs()) {
        std::string chosen;
        if (!platformDialogFile(save, title.c_str(), folder ? folder->c_str() : "",
                                name ? name->c_str() : "", filter ? filter->c_str() : "", &chosen))
            chosen.clear();
        return answer(interp, chosen);
    }
    return answer(interp, askPath(title, folder ? *folder : "",
                                  save ? PlatformFileType::None : PlatformFileType::File));
}

int zorakCommandGetFileopen(Interpreter* interp, int argc, char** argv, void*) {
    return chooseFile(interp, argc, argv, false);
}

int zorakCommandGetFilesave(Interpreter* interp, int argc, char** argv, void*) {
    return chooseFile(interp, argc, argv, true);
}

// get_folder ?title? ?-dir folder?: the folder chosen, or "".
int zorakCommandGetFolder(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, " dir ", "", &words)) return ERROR;
    if (words.plain.size() > 1) return zorakWrongArgs(interp, argc, argv);
    std::string title = words.plain.empty() ? "Folder" : words.plain[0];
    const std::string* folder = words.option("dir");
    if (platformHasDialogs()) {
        std::string chosen;
        if (!platformDialogFolder(title.c_str(), folder ? folder->c_str() : "", &chosen))
            chosen.clear();
        return answer(interp, chosen);
    }
    return answer(interp, askPath(title, folder ? *folder : "", PlatformFileType::Directory));
}

// ---- Clipboard and sound ----

int unavailable(Interpreter* interp, char** argv, const std::string& why) {
    std::string reason = why.empty() ? "failed" : why;
    reason[0] = zorakUpperAscii(reason[0]);
    zorakReportError(interp, "%s: %s\n", argv[0], reason.c_str());
    return ERROR;
}

// clipboard ?get? | set text | clear.
int zorakCommandClipboard(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 3) return zorakWrongArgs(interp, argc, argv);
    std::string sub = argc > 1 ? argv[1] : "get", error;
    if (zorakEqualNoCase(sub, "get") && argc <= 2) {
        std::string text;
        if (!platformClipboardGet(&text, &error)) return unavailable(interp, argv, error);
        return answer(interp, text);
    }
    bool set = zorakEqualNoCase(sub, "set") && argc == 3;
    if (set || (zorakEqualNoCase(sub, "clear") && argc == 2)) {
        if (!platformClipboardSet(set ? argv[2] : "", &error))
            return unavailable(interp, argv, error);
        return answer(interp, "1");
    }
    if (!zorakEqualNoCase(sub, "get") && !zorakEqualNoCase(sub, "set") &&
        !zorakEqualNoCase(sub, "clear")) {
        zorakReportError(interp, "%s: Invalid command '%s'\n", argv[0], sub.c_str());
        return ERROR;
    }
    return zorakWrongArgs(interp, argc, argv);
}

// A whole number argument in a range, or an error naming it.
bool numberIn(Interpreter* interp, char** argv, const char* text, long low, long high, long* out) {
    if (!zorakIsDecimalNumber(text) || std::strchr(text, '.')) {
        zorakReportError(interp, "%s: Expected a whole number but got '%s'\n", argv[0], text);
        return false;
    }
    int64_t value = zorakLeadingInt(text);
    if (value < low || value > high) {
        zorakReportError(interp, "%s: %s is out of range (%ld to %ld)\n", argv[0], text, low, high);
        return false;
    }
    *out = static_cast<long>(value);
    return true;
}

// beep ?frequency? ?milliseconds?: 37 to 32767 Hz, at most ten seconds.
int zorakCommandBeep(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 3) return zorakWrongArgs(interp, argc, argv);
    long frequency = 750, length = 200;
    if (argc > 1 && !numberIn(interp, argv, argv[1], 37, 32767, &frequency)) return ERROR;
    if (argc > 2 && !numberIn(interp, argv, argv[2], 0, 10000, &length)) return ERROR;
    std::string error;
    if (!platformBeep(frequency, length, &error)) return unavailable(interp, argv, error);
    return answer(interp, "1");
}

// play_wav file ?-loop? ?-wait?: plays in the background unless -wait.
int zorakCommandPlayWav(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, "", " loop wait ", &words)) return ERROR;
    if (words.plain.size() != 1) return zorakWrongArgs(interp, argc, argv);
    bool loop = words.has("loop"), wait = words.has("wait");
    if (loop && wait) {
        zorakReportError(interp, "%s: -loop and -wait exclude each other\n", argv[0]);
        return ERROR;
    }
    PlatformFileInfo info;
    if (!platformFileInfo(words.plain[0].c_str(), true, &info) ||
        info.type != PlatformFileType::File) {
        zorakReportError(interp, "%s: File '%s' not found\n", argv[0], words.plain[0].c_str());
        return ERROR;
    }
    std::string error;
    if (!platformPlayWave(words.plain[0].c_str(), loop, wait, &error))
        return unavailable(interp, argv, error);
    return answer(interp, "1");
}

int zorakCommandStopWav(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    std::string error;
    if (!platformStopWave(&error)) return unavailable(interp, argv, error);
    return answer(interp, "1");
}

// ---- The console screen ----

// box left top width height ?colour? ?-double? ?-fill? ?-title text?: a
// frame on the console, 1-based like gotoxy, on the background colour
// given; -fill blanks the inside in that colour too. The colours and the
// cursor are restored afterwards.
int zorakCommandBox(Interpreter* interp, int argc, char** argv, void*) {
    Words words;
    if (!splitWords(interp, argc, argv, " title ", " double fill ", &words)) return ERROR;
    if (words.plain.size() < 4 || words.plain.size() > 5) return zorakWrongArgs(interp, argc, argv);
    long value[4];
    for (int i = 0; i < 4; i++)
        if (!numberIn(interp, argv, words.plain[static_cast<size_t>(i)].c_str(), i < 2 ? 1 : 2,
                      1000, &value[i]))
            return ERROR;
    ConsoleTextInfo info;
    if (!console_get_text_info(&info)) {
        zorakReportError(interp, "%s: No console screen to draw on\n", argv[0]);
        return ERROR;
    }
    long left = value[0], top = value[1], width = value[2], height = value[3];
    if (left + width - 1 > info.screen_width || top + height - 1 > info.screen_height) {
        zorakReportError(interp, "%s: The box does not fit the screen (%d x %d)\n", argv[0],
                         info.screen_width, info.screen_height);
        return ERROR;
    }
    const char* const* glyph = platformBoxGlyphs(words.has("double"));
    const std::string* title = words.option("title");
    SavedColours saved;
    if (words.plain.size() == 5)
        set_background((colour_from_text(words.plain[4].c_str()) & 0x0F) * 16);
    std::string across;
    for (long i = 0; i < width - 2; i++)
        across += glyph[4];
    std::string top_line = std::string(glyph[0]) + across + glyph[1];
    if (title && !title->empty() && width > 4) {
        std::string shown = title->substr(0, static_cast<size_t>(width - 4));
        // The title replaces part of the top line after its first corner
        // and one line character.
        top_line = std::string(glyph[0]) + glyph[4] + shown;
        for (long i = static_cast<long>(shown.size()) + 1; i < width - 2; i++)
            top_line += glyph[4];
        top_line += glyph[1];
    }
    gotoxy(left, top);
    Writes(top_line.c_str());
    std::string inside(static_cast<size_t>(width - 2), ' ');
    for (long row = top + 1; row < top + height - 1; row++) {
        gotoxy(left, row);
        Writes(glyph[5]);
        if (words.has("fill"))
            Writes(inside.c_str());
        else
            gotoxy(left + width - 1, row);
        Writes(glyph[5]);
    }
    gotoxy(left, top + height - 1);
    Writes((std::string(glyph[2]) + across + glyph[3]).c_str());
    gotoxy(info.cursor_column, info.cursor_row);
    return answer(interp, "");
}

// screen ?size|width|height|cursor|info?: the console window's size (80 by
// 24 when there is no screen to read) and the cursor.
int zorakCommandScreen(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    std::string sub = argc > 1 ? argv[1] : "size";
    auto number = [](std::string* list, long value) {
        char* text = zorakFormatInt(value);
        zorakListAppendWord(list, text);
        std::free(text);
    };
    std::string list;
    if (zorakEqualNoCase(sub, "size")) {
        number(&list, console_window_width());
        number(&list, console_window_height());
    } else if (zorakEqualNoCase(sub, "width")) {
        number(&list, console_window_width());
    } else if (zorakEqualNoCase(sub, "height")) {
        number(&list, console_window_height());
    } else if (zorakEqualNoCase(sub, "cursor")) {
        number(&list, console_cursor_column());
        number(&list, console_cursor_row());
    } else if (zorakEqualNoCase(sub, "info")) {
        ConsoleTextInfo info;
        if (!console_get_text_info(&info)) {
            zorakReportError(interp, "%s %s: No console screen to read\n", argv[0], argv[1]);
            return ERROR;
        }
        const std::pair<const char*, long> fields[] = {
            {"left", info.window_left},     {"top", info.window_top},
            {"right", info.window_right},   {"bottom", info.window_bottom},
            {"attribute", info.attribute},  {"width", info.screen_width},
            {"height", info.screen_height}, {"column", info.cursor_column},
            {"row", info.cursor_row}};
        for (const auto& field : fields) {
            zorakListAppendWord(&list, field.first);
            number(&list, field.second);
        }
    } else {
        zorakReportError(interp, "%s: Invalid command '%s'\n", argv[0], sub.c_str());
        return ERROR;
    }
    return answer(interp, list);
}

} // namespace

void zorakRegisterDesktopCommands(Interpreter* interp) {
    struct Row {
        const char* name;
        CommandHandler handler;
    };
    static const Row kRows[] = {
        {"beep", zorakCommandBeep},
        {"box", zorakCommandBox},
        {"clipboard", zorakCommandClipboard},
        {"get_fileopen", zorakCommandGetFileopen},
        {"get_filesave", zorakCommandGetFilesave},
        {"get_folder", zorakCommandGetFolder},
        {"input", zorakCommandInput},
        {"input_csv", zorakCommandInputCsv},
        {"inputbox", zorakCommandInputbox},
        {"msgbox", zorakCommandMsgbox},
        {"play_wav", zorakCommandPlayWav},
        {"screen", zorakCommandScreen},
        {"stop_wav", zorakCommandStopWav},
    };
    for (const Row& row : kRows)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}
