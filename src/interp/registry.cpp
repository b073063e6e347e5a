#include "interp/registry.h"

#include "console/console.h"
#include "interp/errors.h"
#include "util/heap_text.h"
#include "util/text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

PrivateDataReleaser procReleaser = nullptr;

// Every registration and removal changes the table's generation.
uint64_t tableGeneration = 0;

// A hashed index beside the sorted table: name to position, rebuilt when the
// table it was made from changes. A hit is confirmed against the table, and
// everything else goes to the bisection, so the index can only make a lookup
// faster, never give another answer.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct CommandIndex {
    // The index keeps its own copies of the names.
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> positions;
    const Interpreter* interp = nullptr;
    const Command* table = nullptr;
    int count = -1;
    uint64_t generation = UINT64_MAX;
};

CommandIndex commandIndex;

// The position of name by the index, or -1 when the index does not know it.
int indexedPosition(Interpreter* interp, const char* name) {
    CommandIndex& index = commandIndex;
    if (index.interp != interp || index.table != interp->commands ||
        index.count != interp->command_count || index.generation != tableGeneration) {
        index.positions.clear();
        index.interp = interp;
        index.table = interp->commands;
        index.count = interp->command_count;
        index.generation = tableGeneration;
        try {
            index.positions.reserve(static_cast<size_t>(interp->command_count));
            for (int i = 0; i < interp->command_count; i++)
                index.positions.emplace(interp->commands[i].name, i);
        } catch (const std::bad_alloc&) {
            index.positions.clear();
            index.count = -1;
            return -1;
        }
    }
    auto found = index.positions.find(std::string_view(name));
    return found == index.positions.end() ? -1 : found->second;
}

int compareNames(const char* a, const char* b) {
    return std::strcmp(a, b); // strcmp compares bytes as unsigned values
}

const char* skipGlobalPrefix(const char* name) {
    return name[0] == ':' && name[1] == ':' ? name + 2 : name;
}

} // namespace

PrivateDataReleaser zorakSetProcReleaser(PrivateDataReleaser releaser) {
    PrivateDataReleaser previous = procReleaser;
    procReleaser = releaser;
    return previous;
}

int zorakRegisterCommand(Interpreter* interp, const char* name, CommandHandler handler,
                         void* private_data, int is_proc) {
    if (!name) return 1;
    // Bisection finds the insertion point; the table stays in byte order.
    int low = 0, high = interp->command_count;
    while (low < high) {
        int middle = (low + high) / 2;
        int cmp = compareNames(interp->commands[middle].name, name);
        if (cmp == 0) return DEFINED;
        if (cmp < 0)
            low = middle + 1;
        else
            high = middle;
    }
    char* copy = static_cast<char*>(std::malloc(std::strlen(name) + 1));
    if (!copy) return 1;
    std::strcpy(copy, name);
    Command* grown = static_cast<Command*>(
        std::realloc(interp->commands, sizeof(Command) * (interp->command_count + 1)));
    if (!grown) {
        std::free(copy);
        return 1;
    }
    interp->commands = grown;
    interp->commands_sorted = 0;
    std::memmove(grown + low + 1, grown + low, sizeof(Command) * (interp->command_count - low));
    grown[low] = Command{copy, handler, private_data, static_cast<int16_t>(is_proc ? 1 : 0), 0};
    interp->command_count++;
    interp->commands_sorted = 1;
    tableGeneration++;
    return 0;
}

Command* zorakFindCommand(Interpreter* interp, const char* name) {
    if (!name || interp->command_count <= 0 || !interp->commands_sorted) return nullptr;
    name = skipGlobalPrefix(name);
    Command* table = interp->commands;
    int known = indexedPosition(interp, name);
    if (known >= 0 && std::strcmp(table[known].name, name) == 0) return &table[known];
    int last = interp->command_count - 1;
    if (compareNames(table[0].name, name) == 0) return &table[0];
    if (compareNames(table[last].name, name) == 0) return &table[last];
    if (interp->command_count < 3) return nullptr;
    int low = 0, high = last;
    while (high - low > 1) {
        int middle = (low + high) / 2;
        int cmp = compareNames(table[middle].name, name);
        if (cmp == 0) return &table[middle];
        if (cmp > 0)
            high = middle;
        else
            low = middle;
    }
    return nullptr;
}

Command* zorakGetCommand(Interpreter* interp, const char* name) {
    try {
        return zorakFindCommand(interp, name);
    } catch (...) {
        zorakReportException("zorakGetCommand", nullptr);
        throw;
    }
}

int zorakUnregisterCommand(Interpreter* interp, const char* name) {
    if (!name) return 0;
    for (int i = 0; i < interp->command_count; i++) {
        Command* cmd = &interp->commands[i];
        if (std::strcmp(cmd->name, name) != 0) continue;
        void* data = cmd->private_data;
        bool shared = false;
        for (int j = 0; data && j < interp->command_count; j++)
            if (j != i && interp->commands[j].private_data == data) shared = true;
        if (data && !shared && cmd->is_proc && procReleaser) procReleaser(data);
        std::free(cmd->name);
        std::memmove(cmd, cmd + 1, sizeof(Command) * (interp->command_count - i - 1));
        interp->command_count--;
        tableGeneration++;
        if (interp->command_count == 0) {
            std::free(interp->commands);
            interp->commands = nullptr;
        }
        return 1;
    }
    return 0;
}

void zorakReleaseCommands(Interpreter* interp) {
    while (interp->command_count > 0)
        zorakUnregisterCommand(interp, interp->commands[interp->command_count - 1].name);
    std::free(interp->commands);
    interp->commands = nullptr;
    interp->commands_sorted = 0;
}

int zorakWrongArgs(Interpreter* interp, int argc, char** argv) {
    reset_attribute();
    if (argc >= 2 && argv && argv[argc - 1]) {
        const char* last = argv[argc - 1];
        Command* help = zorakGetCommand(interp, "help");
        if (help && (std::strcmp(last, "/?") == 0 || zorakEqualNoCase(last, "--help"))) {
            char helpWord[] = "help";
            char* words[3] = {helpWord, argv[0], nullptr};
            return help->handler(interp, 2, words, help->private_data);
        }
    }
    if (argc < 1 || !argv) return ERROR;
    const char* name = argv[0] ? argv[0] : "";
    console_printf("Wrong number of args (%i) for '%.50s'\n\n", argc, name);
    console_printf("Arg\tValue\n");
    for (int i = 0; i < argc; i++) {
        const char* word = argv[i] ? argv[i] : "";
        console_printf(std::strlen(word) < 30 ? "%i:\t%-.50s\n" : "%i:\t%-.50s...\n", i, word);
    }
    console_printf("\nArguments may need enclosing [] {} or \"\". Try: help %s\n", name);
    zorakSetGlobal(interp, "errorCode", "6");
    zorakSetGlobal(interp, "errorMsg", "Wrong number of arguments");
    return STOP;
}

char* zorakJoinWords(char* out, int argc, char** argv) {
    if (out) return out;
    if (argc < 1) return nullptr;
    if (argc == 1) return zorakStrDup(argv[0]);
    size_t size = 0;
    for (int i = 0; i < argc; i++)
        size += std::strlen(argv[i]) + 3;
    char* joined = static_cast<char*>(std::malloc(size + 1));
    if (!joined) throw std::bad_alloc();
    char* w = joined;
    for (int i = 0; i < argc; i++) {
        const char* word = argv[i];
        size_t n = std::strlen(word);
        if (i > 0) *w++ = ' ';
        bool wrap = n == 0 || std::strchr(word, ' ') != nullptr;
        if (wrap) *w++ = '{';
        std::memcpy(w, word, n);
        w += n;
        if (wrap) *w++ = '}';
    }
    *w = '\0';
    return joined;
}
