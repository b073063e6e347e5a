// Writes the libFuzzer dictionary of the evaluator target: every registered
// command name, and every option and subcommand word of the help file's
// usage lines. Built and run with the fuzz targets, so names added later
// join the dictionary by themselves.
// Usage: fuzz_dictionary HELP_FILE OUTPUT
#include "interp/interp.h"
#include "zorak.h"

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

// A word worth a dictionary entry: a name or an option, nothing with
// placeholder punctuation.
bool keyword(const std::string& word) {
    if (word.size() < 2) return false;
    for (char c : word)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '-'))
            return false;
    return true;
}

// Escapes a dictionary entry: quotes and backslashes, and bytes outside the
// printable range as \xNN.
std::string entry(const std::string& word) {
    std::string out = "\"";
    for (unsigned char c : word) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            const char* hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    std::set<std::string> words;
    zorak_init(nullptr);
    Interpreter* interp = _pglobal_interp;
    if (!interp) return 1;
    for (int i = 0; i < interp->command_count; i++)
        words.insert(interp->commands[i].name);
    zorak_exit();
    std::ifstream help(argv[1]);
    std::string line;
    while (std::getline(help, line)) {
        if (line.rfind("Usage:", 0) != 0) continue;
        std::istringstream usage(line.substr(6));
        std::string word;
        while (usage >> word) {
            // "?-nocase?" and "-start|-end" give their words too.
            for (char& c : word)
                if (c == '?' || c == '|' || c == '(' || c == ')' || c == ',') c = ' ';
            std::istringstream parts(word);
            std::string part;
            while (parts >> part)
                if (keyword(part)) words.insert(part);
        }
    }
    std::ofstream out(argv[2]);
    for (const std::string& word : words)
        out << entry(word) << "\n";
    return out ? 0 : 1;
}
