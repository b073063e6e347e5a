// The interactive shell, the on-line help and the list pager.
#pragma once

#include "interp/interp.h"

#include <cstdint>
#include <string>

// The prompt every shell starts from: user@host, a blank, the command count
// and ">".
constexpr const char* kDefaultPrompt = "$u@$h$s$k$g";

// The shell's process-wide state.
struct ShellState {
    // Set by the prompt command; each loop run takes a copy per line.
    std::string prompt_template = kDefaultPrompt;
};

extern ShellState zorakShell;

// Reads, evaluates and prints line by line until exit or the end of input;
// returns the exit value (the leading integer of the last result). A null
// template follows the prompt command's current one from line to line.
int cli_loop(Interpreter* interp, const char* host, const char* prompt_template);

// The help file, looked for in the working directory, beside the library,
// in the installed data folder and in the source tree's docs/. False when
// none of them has it.
bool zorakFindHelpFile(std::string* path);
// Where zorakFindHelpFile looks after the working directory; tests replace
// it. Empty: the built-in places.
extern std::string zorakHelpDirectoryOverride;

// Shows one topic of the help file (topic mode), or lists the topics whose
// text holds a keyword (search mode). Topic mode: 1 when shown, 0 when the
// topic is not there; search mode: the number of topics listed; -1 when the
// file cannot be opened.
int zorakHelpViewer(const char* file, const char* topic, bool search, bool skip_see_also,
                    int code_colour);

// Prints a word-coloured line: command names and the math function names in
// the highlight colours, the rest in the base attribute.
void zorakPrintKeywordLine(const char* line, uint8_t base_attribute);

// Reads a key for a pager's prompt; console_pause without a line end unless
// a test installs its own.
using PagerKeyReader = int (*)(const char* prompt);

// Pages a list on the console: the first line is a header (in the header
// attribute, OR 15 unless a background bit is set), the others follow a page
// at a time with a prompt between pages while paging is on. Returns the last
// key read (27 when the user pressed Escape), 0 when none was read.
int zorakListPager(const char* const* lines, int count, int header_attribute,
                   bool keyword_colouring, bool paging, PagerKeyReader read_key = nullptr);

int zorakCommandCli(Interpreter* interp, int argc, char** argv, void* data);
int zorakCommandPrompt(Interpreter* interp, int argc, char** argv, void* data);
int zorakCommandHelp(Interpreter* interp, int argc, char** argv, void* data);
int zorakCommandFind(Interpreter* interp, int argc, char** argv, void* data);
int zorakCommandLogo(Interpreter* interp, int argc, char** argv, void* data);

// Registers cli, prompt, help, find and logo.
void zorakRegisterShellCommands(Interpreter* interp);
