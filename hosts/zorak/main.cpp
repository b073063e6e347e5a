// The command-line host: runs a script file, a -c string, or standard input
// through the library's public exports, or opens the interactive shell. Its
// exit status follows the script.
#include "zorak.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void printUsage() {
    std::printf("Usage: zorak [FILE [ARGS...]] | -c SCRIPT [ARGS...] | -i | --version | --help\n"
                "\n"
                "  FILE          run the script file; ARGS become argv(1), argv(2) ...\n"
                "  -c SCRIPT     run the script text given on the command line\n"
                "  -i            open the interactive shell, also on a pipe\n"
                "  (no FILE)     the interactive shell on a terminal, else read the\n"
                "                script from standard input\n"
                "  --version     print the library's build stamp\n"
                "  --help, /?    show this text\n"
                "\n"
                "The exit status is the value given to exit, 1 after an error, else 0.\n"
                "ZORAK_CONFIG names the configuration file read by option ... reset.\n");
}

bool readStream(FILE* stream, std::string* text) {
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, stream)) > 0)
        text->append(chunk, n);
    return !std::ferror(stream);
}

// The script goes to the library as a C string, so a zero byte would end it
// early: such a text is refused with the byte's place. Lone carriage returns
// end lines, as line feeds do.
bool usableScript(const char* origin, std::string* text) {
    size_t zero = text->find('\0');
    if (zero != std::string::npos) {
        size_t line = 1;
        for (size_t i = 0; i < zero; i++)
            if ((*text)[i] == '\n') line++;
        std::fprintf(stderr, "zorak: zero byte at offset %lu, line %lu of %s\n",
                     static_cast<unsigned long>(zero), static_cast<unsigned long>(line), origin);
        return false;
    }
    for (size_t i = 0; i < text->size(); i++)
        if ((*text)[i] == '\r' && (i + 1 == text->size() || (*text)[i + 1] != '\n'))
            (*text)[i] = '\n';
    return true;
}

bool readFile(const char* path, std::string* text) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bool ok = readStream(file, text);
    std::fclose(file);
    return ok;
}

// Hands the host's arguments to the library so that argv and argc describe them.
void initialiseWithArguments(const std::vector<std::string>& args) {
#if defined(_WIN32)
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(args.size()));
    for (LONG i = 0; array && i < static_cast<LONG>(args.size()); i++) {
        BSTR item = SysAllocStringByteLen(args[i].c_str(), static_cast<UINT>(args[i].size()));
        SafeArrayPutElement(array, &i, item);
        SysFreeString(item);
    }
    zorak_init(&array);
    if (array) SafeArrayDestroy(array);
#else
    std::vector<BSTR> items;
    for (const std::string& arg : args)
        items.push_back(SysAllocStringByteLen(arg.c_str(), static_cast<unsigned>(arg.size())));
    SAFEARRAY array{};
    array.cDims = 1;
    array.cbElements = sizeof(BSTR);
    array.pvData = items.data();
    array.rgsabound[0].cElements = static_cast<uint32_t>(items.size());
    SAFEARRAY* pointer = &array;
    zorak_init(&pointer);
    for (BSTR item : items)
        SysFreeString(item);
#endif
}

// A word can travel inside braces when nothing in it ends or opens a
// brace group or a comment early.
bool canBrace(const std::string& word) {
    int depth = 0;
    for (size_t i = 0; i < word.size(); i++) {
        char c = word[i];
        if (c == '{')
            depth++;
        else if (c == '}' && --depth < 0)
            return false;
        else if (c == '\\' || c == '#' || c == '"' || c == '\n' || c == '\r')
            return false;
        else if (c == '/' && i + 1 < word.size() && word[i + 1] == '*')
            return false;
    }
    return depth == 0 && !word.empty();
}

int exitStatus(int code, BSTR result) {
    switch (code) {
    case 0: // ok
    case 2: // return
        return 0;
    case 5: // exit: the value given to exit
        return result ? std::atoi(reinterpret_cast<const char*>(result)) : 0;
    default:
        return 1;
    }
}

bool inputIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stdin)) != 0;
#else
    return ::isatty(STDIN_FILENO) == 1;
#endif
}

// Runs a script and returns its result text.
std::string evaluate(const char* script, int* code) {
    BSTR result = zorak_command(script, 0, 0, 0, code);
    std::string text = result ? reinterpret_cast<const char*>(result) : "";
    SysFreeString(result);
    return text;
}

// The library prints the messages that commands report, "name: text" or
// "name subcommand: text", while the error echo is on (its default); the
// text that a script hands to error is never printed. Reads ::errorMsg and
// returns it when it is not one of the reported kind, and leaves the last
// code at error, as the script left it, for zorak_exit.
std::string unprintedErrorMessage() {
    int code;
    std::string message = evaluate("set ::errorMsg", &code);
    if (code != 0) message.clear();
    std::string name;
    size_t i = 0;
    for (int words = 0; words < 2 && i < message.size(); words++) {
        size_t start = i;
        while (i < message.size() &&
               (std::isalnum(static_cast<unsigned char>(message[i])) || message[i] == '_'))
            i++;
        if (i == start) break;
        if (words == 0) name = message.substr(start, i - start);
        if (i < message.size() && message[i] == ':') {
            if (i + 1 < message.size() && message[i + 1] == ' ' &&
                evaluate(("is_command " + name).c_str(), &code) == "1")
                message.clear();
            break;
        }
        if (i >= message.size() || message[i] != ' ') break;
        i++;
    }
    evaluate("error [set ::errorMsg]", &code);
    return message;
}

// The shell's exit value travels in the result of cli, which ends in error
// when it is not zero.
int runShell() {
    BSTR stamp = zorak_ver();
    std::printf("Zorak 1.26 (%s): type help for help, exit to leave.\n",
                stamp ? reinterpret_cast<const char*>(stamp) : "");
    SysFreeString(stamp);
    std::fflush(stdout);
    int code = 1;
    std::string result = evaluate("cli", &code);
    if (code == 0) return 0;
    int status = std::atoi(result.c_str());
    return status ? status : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args{argv[0]};
    std::string script;
    if (argc > 1 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
                     !std::strcmp(argv[1], "/?"))) {
        printUsage();
        return 0;
    }
    if (argc > 1 && !std::strcmp(argv[1], "--version")) {
        BSTR stamp = zorak_ver();
        std::printf("zorak %s\n", stamp ? reinterpret_cast<const char*>(stamp) : "");
        SysFreeString(stamp);
        return 0;
    }
    bool shell = argc > 1 && !std::strcmp(argv[1], "-i");
    if (shell || (argc == 1 && inputIsTerminal())) {
        for (int i = 2; i < argc; i++)
            args.push_back(argv[i]);
        initialiseWithArguments(args);
        int status = runShell();
        zorak_exit();
        std::fflush(stdout);
        return status;
    }
    if (argc > 1 && !std::strcmp(argv[1], "-c")) {
        if (argc < 3) {
            std::fprintf(stderr, "zorak: -c needs a script\n");
            return 2;
        }
        script = argv[2];
        args.push_back("-c");
        for (int i = 3; i < argc; i++)
            args.push_back(argv[i]);
    } else if (argc > 1 && std::strcmp(argv[1], "-") != 0) {
        if (!readFile(argv[1], &script)) {
            std::fprintf(stderr, "zorak: cannot read '%s'\n", argv[1]);
            return 2;
        }
        for (int i = 1; i < argc; i++)
            args.push_back(argv[i]);
        // Sourcing the file gives its messages the file's own line numbers
        // and hands the script its arguments in argv.
        std::string command = "source";
        bool braceable = true;
        for (int i = 1; i < argc && braceable; i++) {
            braceable = canBrace(argv[i]);
            command += std::string(" {") + argv[i] + "}";
        }
        if (braceable)
            script = command;
        else if (!usableScript(argv[1], &script))
            return 1;
    } else {
        readStream(stdin, &script);
        if (!usableScript("standard input", &script)) return 1;
        args.push_back("-");
        for (int i = 2; i < argc; i++)
            args.push_back(argv[i]);
    }
    initialiseWithArguments(args);
    int code = 1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    int status = script.empty() ? 0 : exitStatus(code, result);
    SysFreeString(result);
    // A script that ends in an error never ends silently.
    if (code == 1) {
        std::fflush(stdout);
        std::string message = unprintedErrorMessage();
        if (!message.empty()) std::fprintf(stderr, "zorak: %s\n", message.c_str());
    }
    zorak_exit();
    std::fflush(stdout);
    return status;
}
