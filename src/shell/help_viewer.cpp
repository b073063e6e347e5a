// The on-line help: the help file viewer (one topic, or the topics that
// mention a keyword), keyword colouring for code, and the help and find
// commands.
#include "shell/shell.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#if !defined(ZORAK_DATA_DIR)
#define ZORAK_DATA_DIR ""
#endif
#if !defined(ZORAK_SOURCE_DOCS)
#define ZORAK_SOURCE_DOCS ""
#endif

std::string zorakHelpDirectoryOverride;

namespace {

constexpr const char* kHelpFileName = "zorak.man";
// Lines of the help file and topic names are at most this long.
constexpr size_t kHelpLineBytes = 256;
constexpr uint8_t kTitleAttribute = 62;
constexpr uint8_t kCommandAttribute = 11;
constexpr uint8_t kFunctionAttribute = 14;

const char* const kFunctionWords[] = {
    "abs",   "acos",    "asin",   "atan",     "bool", "ceil",  "decr",  "div",  "cos",
    "cosh",  "degrees", "double", "exp",      "fib",  "fix",   "floor", "fmod", "fraction",
    "hypot", "incr",    "int",    "integral", "log",  "log10", "max",   "min",  "mul",
    "pow",   "rand",    "rnd",    "round",    "sgn",  "sin",   "sinh",  "sqr",  "sqrt",
    "srand", "tan",     "tanh",   "wide",     "error"};

std::string trimmed(const std::string& text, const char* chars) {
    size_t start = text.find_first_not_of(chars);
    if (start == std::string::npos) return "";
    return text.substr(start, text.find_last_not_of(chars) - start + 1);
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Words of code are separated by blanks and the characters that group or
// substitute them.
bool separatesWords(char c) {
    return std::strchr(" \t[]{}()\";$", c) != nullptr;
}

uint8_t keywordAttribute(const std::string& word, uint8_t base) {
    Interpreter* interp = _pglobal_interp;
    if (word == "at_exit" || (interp && zorakFindCommand(interp, word.c_str())))
        return kCommandAttribute;
    for (const char* function : kFunctionWords)
        if (word == function) return kFunctionAttribute;
    return base;
}

bool fileReadable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return false;
    std::fclose(file);
    return true;
}

// Shows the pager's prompt and erases it again; true when the user pressed
// Escape.
bool pageStopped(const char* prompt) {
    int key = console_pause(prompt, false);
    Writes("\r");
    console_clear_to_eol();
    Writes("\r");
    return key == 27;
}

void printTitleBar(const std::string& line) {
    set_text_attribute(kTitleAttribute);
    console_printf("%-79.79s", line.c_str());
    set_text_attribute(7);
    console_printf("\n");
}

// The colour a markup line turns on, or -1.
int markupColour(const std::string& lower) {
    static const struct {
        const char* word;
        int attribute;
    } kColours[] = {{"..red", 12},  {"..yellow", 14}, {"..orange", 6}, {"..magenta", 13},
                    {"..cyan", 11}, {"..white", 15},  {"..green", 10}, {"..grey", 7}};
    for (const auto& colour : kColours)
        if (lower == colour.word) return colour.attribute;
    if (zorakStartsWith(lower, "..url")) return 9;
    return -1;
}

// One pass over the help file.
class HelpViewer {
  public:
    HelpViewer(bool search, bool skipSeeAlso, int codeColour)
        : search_(search), skipSeeAlso_(skipSeeAlso), codeColour_(codeColour),
          pageLength_(console_window_height() - 2) {}

    int run(FILE* file, const std::string& wanted) {
        char buffer[kHelpLineBytes + 2];
        while (!stopped_ && std::fgets(buffer, sizeof buffer, file)) {
            std::string line = buffer;
            size_t end = line.find_last_not_of("\r\n\t ");
            line.resize(end == std::string::npos ? 0 : end + 1);
            if (search_)
                searchLine(line, wanted);
            else if (!topicLine(line, wanted))
                break;
        }
        set_text_attribute(7);
        if (!search_) return found_ ? 1 : 0;
        std::sort(results_.begin(), results_.end());
        for (const std::string& result : results_) {
            if (stopped_) break;
            if (console_state.console_open) {
                set_text_attribute(15);
                console_printf("%s", result.substr(0, 25).c_str());
                set_text_attribute(7);
                console_printf("%s\n", result.substr(25).c_str());
            } else {
                console_printf("%s\n", result.c_str());
            }
            linePrinted();
        }
        return static_cast<int>(results_.size());
    }

  private:
    void linePrinted() {
        if (++lines_ < pageLength_) return;
        if (pageStopped("-- more --")) stopped_ = true;
        lines_ = -1;
    }

    // Handles a markup line; false when it ends the topic being shown.
    bool markupLine(const std::string& line) {
        std::string lower = lowered(line);
        if (hidden_) {
            if (lower == "..end") hidden_ = false;
            return true;
        }
        if (zorakStartsWith(lower, "..link") || zorakStartsWith(lower, "..a")) {
            hidden_ = true;
            return true;
        }
        if (!found_ || search_) return true;
        if (lower == "..end") {
            if (colour_) {
                colour_ = false;
                set_text_attribute(7);
            } else if (code_) {
                code_ = false;
                set_text_attribute(7);
            } else {
                return false;
            }
        } else if (lower == "..code") {
            code_ = true;
        } else if (int colour = markupColour(lower); colour >= 0) {
            colour_ = true;
            set_text_attribute(static_cast<uint8_t>(colour));
        }
        return true;
    }

    // A line of two dots alone opens the topic of the command ".", not markup.
    static bool isMarkup(const std::string& line) {
        return zorakStartsWith(line, "..") && line != "..";
    }

    bool topicLine(const std::string& line, const std::string& wanted) {
        if (isMarkup(line)) return markupLine(line);
        if (hidden_) return true;
        if (!found_) {
            if (!zorakEqualNoCase(line, wanted)) return true;
            found_ = true;
        }
        if (line[0] == '.') {
            printTitleBar(line);
        } else if (code_) {
            zorakPrintKeywordLine(line.c_str(), static_cast<uint8_t>(codeColour_));
            console_printf("\n");
        } else {
            console_printf("%s\n", line.c_str());
        }
        linePrinted();
        return true;
    }

    void searchLine(const std::string& line, const std::string& wanted) {
        if (isMarkup(line)) {
            markupLine(line);
            return;
        }
        if (hidden_ || line.empty()) return;
        if (line[0] == '.') {
            topic_ = line.substr(1);
            return;
        }
        if (topic_.empty() || line.find(wanted) == std::string::npos) return;
        if (skipSeeAlso_ && line.find("see also") != std::string::npos) return;
        std::string text = line.substr(line.find_first_not_of(" \t"));
        char result[96];
        std::snprintf(result, sizeof result, "%-25.25s %-54.54s", topic_.c_str(), text.c_str());
        results_.push_back(result);
        // Each topic is listed once.
        topic_.clear();
    }

    bool search_;
    bool skipSeeAlso_;
    int codeColour_;
    int pageLength_;
    int lines_ = 0;
    bool stopped_ = false;
    bool found_ = false;
    bool hidden_ = false;
    bool colour_ = false;
    bool code_ = false;
    std::string topic_;
    std::vector<std::string> results_;
};

} // namespace

void zorakPrintKeywordLine(const char* line, uint8_t base_attribute) {
    std::string text = line ? line : "";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = at;
        bool word = !separatesWords(text[at]);
        while (end < text.size() && separatesWords(text[end]) != word)
            end++;
        std::string piece = text.substr(at, end - at);
        set_text_attribute(word ? keywordAttribute(piece, base_attribute) : base_attribute);
        Writes(piece.c_str());
        at = end;
    }
    set_text_attribute(base_attribute);
}

bool zorakFindHelpFile(std::string* path) {
    std::vector<std::string> places{""};
    if (!zorakHelpDirectoryOverride.empty()) {
        places.push_back(zorakHelpDirectoryOverride + "/");
    } else {
        std::string libraryDirectory;
        if (platformLibraryDirectory(&libraryDirectory)) {
            places.push_back(libraryDirectory);
            // An installed library lives in PREFIX/lib (or a folder below it,
            // such as lib/x86_64-linux-gnu) and its help file in
            // PREFIX/share/zorak, wherever the prefix was put.
            places.push_back(libraryDirectory + "../share/zorak/");
            places.push_back(libraryDirectory + "../../share/zorak/");
        }
        if (*ZORAK_DATA_DIR) places.push_back(std::string(ZORAK_DATA_DIR) + "/");
        if (*ZORAK_SOURCE_DOCS) places.push_back(std::string(ZORAK_SOURCE_DOCS) + "/");
    }
    for (const std::string& place : places) {
        std::string candidate = place + kHelpFileName;
        if (fileReadable(candidate)) {
            *path = candidate;
            return true;
        }
    }
    return false;
}

int zorakHelpViewer(const char* file, const char* topic, bool search, bool skip_see_also,
                    int code_colour) {
    if (!file || !*file || !topic || !*topic) return 0;
    Cls(' ', -1);
    std::string wanted;
    if (search) {
        set_text_attribute(kTitleAttribute);
        console_printf("Topic                     Text");
        console_clear_to_eol();
        set_text_attribute(7);
        console_printf("\n\n");
        wanted = topic;
        if (wanted.size() >= 2 && wanted.front() == '"' && wanted.back() == '"')
            wanted = wanted.substr(1, wanted.size() - 2);
        wanted = trimmed(wanted, "\t\r\n");
    } else {
        wanted = trimmed(("." + std::string(topic)).substr(0, kHelpLineBytes), "\t\r\n ");
    }
    std::unique_ptr<FILE, int (*)(FILE*)> stream(std::fopen(file, "r"), std::fclose);
    if (!stream) return -1;
    HelpViewer viewer(search, skip_see_also, code_colour);
    return viewer.run(stream.get(), wanted);
}

int zorakCommandHelp(Interpreter*, int argc, char** argv, void*) {
    if (argc < 2) {
        const char* banner = "Zorak 1.26";
        set_text_attribute(0x1F);
        console_printf("%-79s", banner);
        set_text_attribute(15);
        console_printf("\n\n");
        set_text_attribute(7);
        // The host program's own help switch differs between systems.
        const char* hostHelp = platformPathSeparator() == '\\'
                                   ? " zorak.exe /?         Detailed command-line help"
                                   : " zorak --help         Detailed command-line help";
        const char* const usage[] = {
            " Useful Commands:",
            "",
            " help  topic          Show detailed help",
            " find  keyword        List topics containing keyword",
            " run   ?filename?     Run a script file",
            " option               Show the current option settings",
            " <command>            Run a Windows command if autoexec is on",
            " exit ?n?             Exit the Zorak shell with optional errorlevel",
            hostHelp,
            ""};
        for (const char* line : usage)
            console_printf("%s\n", line);
        return OK;
    }
    std::string topic;
    for (int i = 1; i < argc; i++)
        topic += std::string(argv[i]) + " ";
    topic = topic.substr(0, topic.find_last_not_of(' ') + 1);
    std::string path;
    int shown = zorakFindHelpFile(&path)
                    ? zorakHelpViewer(path.c_str(), topic.c_str(), false, false, 15)
                    : -1;
    if (shown < 0)
        console_printf("Help file '%s' not found\n", kHelpFileName);
    else if (shown == 0)
        console_printf("Help topic '%s' not found\n", topic.c_str());
    return OK;
}

int zorakCommandFind(Interpreter*, int argc, char** argv, void*) {
    if (argc < 2) return OK;
    char header[256];
    std::snprintf(header, sizeof header, " Help topics containing keyword '%s'", argv[1]);
    set_text_attribute(kTitleAttribute);
    console_printf("%-79.79s", header);
    set_text_attribute(7);
    console_printf("\n\n");
    std::string path;
    int count =
        zorakFindHelpFile(&path) ? zorakHelpViewer(path.c_str(), argv[1], true, true, 15) : -1;
    if (count < 0) {
        console_printf("Help file '%s' not found\n", kHelpFileName);
        count = 0;
    }
    console_printf("\nFound %i topic(s)\n", count);
    return OK;
}
