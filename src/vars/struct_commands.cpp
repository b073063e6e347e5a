// The struct commands: struct and its subcommands, => (write a field), ->
// (read a field) and sizeof. A struct is one zeroed block of named byte
// fields laid out back to back from offset 0; its variable and its field
// variables hold the decimal addresses of their bytes, and the struct layer
// checks every such address against the live blocks before it is followed.
#include "commands/list_core.h"
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/scope_aliases.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A field name longer than this is a syntax error.
constexpr size_t kMaxFieldName = 256;
// Sizes are kept in the record's signed 32-bit size field.
constexpr long long kMaxStructSize = 0x7fffffff;

struct FieldLayout {
    std::string name;
    long long length;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> blankWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isBlank(text[at]))
            at++;
        size_t start = at;
        while (at < text.size() && !isBlank(text[at]))
            at++;
        if (at > start) words.push_back(text.substr(start, at - start));
    }
    return words;
}

std::string address(const void* bytes) {
    HeapText text(zorakFormatUnsigned(reinterpret_cast<uintptr_t>(bytes)));
    return text.get();
}

std::string decimal(long long value) {
    HeapText text(zorakFormatInt(value));
    return text.get();
}

// The texts of the single fields in a field list. A flat list of names
// and lengths ({a 4 b 8}) reads pairwise; otherwise every list item is one
// field ({{a 4} {b 8}}), except that an item of an even number of at least
// four words holds one field per pair ({{a 4 b 8}}).
std::vector<std::string> fieldTexts(const char* layout) {
    ScopedVector items;
    int count = zorakSplitList(layout, &items.get());
    std::vector<std::string> fields;
    bool flat = count >= 2 && count % 2 == 0;
    for (int i = 0; flat && i < count; i++)
        flat = blankWords(items->items[i]).size() == 1;
    if (flat) {
        for (int i = 0; i < count; i += 2)
            fields.push_back(std::string(items->items[i]) + " " + items->items[i + 1]);
        return fields;
    }
    for (int i = 0; i < count; i++) {
        std::vector<std::string_view> words = blankWords(items->items[i]);
        if (words.size() >= 4 && words.size() % 2 == 0) {
            for (size_t w = 0; w < words.size(); w += 2)
                fields.push_back(std::string(words[w]) + " " + std::string(words[w + 1]));
        } else {
            fields.emplace_back(items->items[i]);
        }
    }
    return fields;
}

// Reads one field text into layout; false (reported) when it is malformed.
bool parseField(Interpreter* interp, const char* name, const std::string& text,
                FieldLayout* layout) {
    if (text.find_first_of("{}\"") != std::string::npos) {
        zorakReportError(interp, "struct create '%s': field '%s' contains illegal {, } or \"\n",
                         name, text.c_str());
        return false;
    }
    std::string_view trimmed = trimBlanks(text);
    size_t blank = trimmed.find_first_of(" \t");
    if (blank == std::string_view::npos) {
        zorakReportError(interp, "struct create '%s': field '%s' missing arg\n", name,
                         text.c_str());
        return false;
    }
    std::string_view fieldName = trimmed.substr(0, blank);
    std::string length(trimBlanks(trimmed.substr(blank)));
    layout->name = std::string(fieldName);
    layout->length = zorakLeadingInt(length.c_str());
    if (fieldName.size() > kMaxFieldName || layout->length < 1 || layout->length > kMaxStructSize) {
        zorakReportError(interp, "struct create: Syntax error in struct '%s' field => '%s'\n", name,
                         text.c_str());
        return false;
    }
    return true;
}

// The struct record a name refers to, through any alias, or null.
Var* findStruct(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->parent) var = zorakAliasChainEnd(var);
    if (!var || var->type != VT_STRUCT || !var->list || var->size < 1) return nullptr;
    return var;
}

// The block of a struct record, or null.
unsigned char* structBytes(Var* var, size_t* size) {
    return var ? zorakStructBlock(var, size) : nullptr;
}

int failCreate(Interpreter* interp, const char* name) {
    zorakStructUnset(interp, name, false);
    zorakSetResult(interp, "0", 0);
    return ERROR;
}

// struct create name ?size? fieldList, with the words after "create".
int structCreate(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[0];
    if (zorakGetVar(interp, name, kScopeCurrent)) {
        zorakReportError(interp, "%s: Variable '%s' already exists\n", "struct", name);
        return ERROR;
    }
    long long declared = argc == 3 ? zorakLeadingInt(argv[1]) : 0;
    std::vector<std::string> texts = fieldTexts(argv[argc - 1]);
    if (texts.empty()) {
        zorakReportError(interp, "struct: Failed to parse struct field(s)\n");
        return ERROR;
    }
    std::vector<FieldLayout> fields(texts.size());
    long long sum = 0;
    for (size_t i = 0; i < texts.size(); i++) {
        if (!parseField(interp, name, texts[i], &fields[i])) return ERROR;
        sum += fields[i].length;
    }
    if (declared >= 1 && declared < sum) {
        zorakReportError(interp, "Combined struct fields '%lli' exceed struct size '%lli'\n", sum,
                         declared);
        return ERROR;
    }
    long long size = declared > sum ? declared : sum;
    if (size < 1 || size > kMaxStructSize) {
        zorakReportError(interp, "struct create '%s': Invalid struct size '%lli'\n", name, size);
        return ERROR;
    }

    Var* var = set_var(interp, name, "0") == 0 ? zorakGetVar(interp, name, kScopeCurrent) : nullptr;
    if (!var) {
        zorakReportError(interp, "struct: Failed to create root struct var '%s'\n", name);
        zorakSetResult(interp, "0", 0);
        return ERROR;
    }
    unsigned char* block = zorakStructAllocate(var, static_cast<size_t>(size));
    if (!block) {
        zorakRemoveVar(interp, name);
        zorakSetErrorCode(interp, 5, "struct");
        zorakSetResult(interp, "0", 0);
        return ERROR;
    }
    zorakStrAssign(&var->value, address(block));
    zorakValueChanged(var);
    var->type = VT_STRUCT;
    var->size = static_cast<int>(size);
    var->list = new List;

    size_t offset = 0;
    for (const FieldLayout& field : fields) {
        std::string member = std::string(name) + "." + field.name;
        if (zorakGetVar(interp, member.c_str(), kScopeCurrent)) {
            zorakReportError(interp, "struct create: Member variable '%s' already exists\n",
                             member.c_str());
            return failCreate(interp, name);
        }
        Var* record = set_var(interp, member.c_str(), address(block + offset).c_str()) == 0
                          ? zorakGetVar(interp, member.c_str(), kScopeCurrent)
                          : nullptr;
        if (!record) {
            zorakReportError(interp, "struct: Failed to create member variable '%s->%s'\n", name,
                             field.name.c_str());
            return failCreate(interp, name);
        }
        record->size = static_cast<int>(field.length);
        record->is_pointer = 1;
        record->type = VT_FIELD;
        var->list->members.push_back(record);
        offset += static_cast<size_t>(field.length);
    }
    zorakSetResult(interp, var->value, 0);
    return OK;
}

// Writes value (its first length bytes when a length word is given) into the
// field named by member ("s.field"), zero-filling the rest of the field.
int structPut(Interpreter* interp, const char* member, const char* value, const char* lengthWord) {
    if (!std::strchr(member, '.')) {
        zorakReportError(interp, "struct %s: Member field '%s' is invalid (Requires .)\n", "put",
                         member);
        return ERROR;
    }
    long long length = lengthWord ? zorakLeadingInt(lengthWord) : 0;
    if (lengthWord && length < 1) {
        zorakReportError(interp, "struct %s: Invalid struct member length '%s'\n", "put",
                         lengthWord);
        return ERROR;
    }
    // "::" names the global struct; the field is matched without it.
    std::string_view word = member;
    bool global = zorakStartsWith(word, "::");
    if (global) word.remove_prefix(2);
    size_t dot = word.find('.');
    std::string owner(word.substr(0, dot));
    std::string_view fieldName = word.substr(dot + 1);
    Var* var = findStruct(interp, ((global ? "::" : "") + owner).c_str());
    if (!var || !var->value) {
        zorakReportError(interp, "struct put: Struct variable '%s' not found\n", owner.c_str());
        return ERROR;
    }
    Var* field = nullptr;
    for (Var* candidate : var->list->members) {
        const char* name = candidate->name ? std::strchr(candidate->name, '.') : nullptr;
        if (name && fieldName == name + 1) {
            field = candidate;
            break;
        }
    }
    if (!field) {
        zorakReportError(interp, "struct put: Struct member '%s' not found\n", member);
        return ERROR;
    }
    uintptr_t at = 0;
    if (!zorakStructParseAddress(field->value, &at)) {
        zorakReportError(interp, "struct put: Invalid address\n");
        return ERROR;
    }
    if (field->size < 1) {
        zorakReportError(interp, "struct put: Field size %li <= 0\n",
                         static_cast<long>(field->size));
        return ERROR;
    }
    unsigned char* bytes = zorakStructFieldBytes(interp, "struct put", field);
    if (!bytes) return ERROR;
    // Never copy more than the value holds, nor more than the field takes.
    size_t available = std::strlen(value);
    size_t n = lengthWord ? std::min(static_cast<size_t>(length), available) : available;
    n = std::min(n, static_cast<size_t>(field->size));
    std::memset(bytes, 0, static_cast<size_t>(field->size));
    std::memcpy(bytes, value, n);
    zorakSetResult(interp, field->value, 0);
    return OK;
}

// The text held by the field named by word ("s.field").
int structItem(Interpreter* interp, const char* word) {
    const char* dot = std::strchr(word, '.');
    if (!dot) {
        zorakReportError(interp, "struct %s: Member field '%s' is invalid (Requires .)\n", "item",
                         word);
        return ERROR;
    }
    std::string owner(word, static_cast<size_t>(dot - word));
    Var* var = findStruct(interp, owner.c_str());
    if (!var || !var->value) {
        zorakReportError(interp, "struct item: struct variable '%s' not found\n", owner.c_str());
        return ERROR;
    }
    Var* field = zorakStructFindMember(interp, var, word);
    if (!field) {
        zorakReportError(interp, "struct item: struct member '%s' not found\n", word);
        return ERROR;
    }
    HeapText text(zorakStructMemberText(interp, field));
    if (!text.get()) return ERROR;
    zorakSetResult(interp, text.get(), 0);
    return OK;
}

int structSize(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->parent) var = zorakAliasChainEnd(var);
    if (!var || (var->type != VT_STRUCT && var->type != VT_FIELD)) {
        zorakReportError(interp, "%s: '%s' not found\n", "struct size", name);
        return ERROR;
    }
    zorakSetResult(interp, decimal(var->size).c_str(), 0);
    return OK;
}

// Copies the target's size in bytes from a decimal source address, which
// must lie, with all those bytes, inside a live struct block.
int structCopy(Interpreter* interp, const char* target, const char* source) {
    size_t size = 0;
    unsigned char* bytes = structBytes(findStruct(interp, target), &size);
    uintptr_t from = 0;
    if (!bytes || !zorakStructParseAddress(source, &from)) {
        zorakReportError(interp, "struct copy: Error in struct copy (struct must exist)\n");
        return ERROR;
    }
    if (!zorakStructRangeIsLive(from, size)) {
        zorakReportError(interp,
                         "struct copy: Address %s does not hold %lli bytes of a live struct\n",
                         zorakStructDescribeAddress(source).c_str(), static_cast<long long>(size));
        return ERROR;
    }
    std::memmove(bytes, reinterpret_cast<const void*>(from), size);
    zorakSetResult(interp, decimal(static_cast<long long>(size)).c_str(), 0);
    return OK;
}

int structClear(Interpreter* interp, const char* name) {
    size_t size = 0;
    unsigned char* bytes = structBytes(findStruct(interp, name), &size);
    if (!bytes) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", "struct clear", name);
        return ERROR;
    }
    std::memset(bytes, 0, size);
    zorakSetResult(interp, "", 0);
    return OK;
}

// struct unset name ?-nocomplain?: "1" when the struct went, else "0".
int structUnset(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[2];
    bool complain = true;
    for (int i = 3; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-nocomplain")) complain = false;
    int failed =
        zorakGetVar(interp, name, kScopeCurrent) ? zorakStructUnset(interp, name, complain) : 1;
    zorakSetResult(interp, failed ? "0" : "1", 0);
    return failed && complain ? ERROR : OK;
}

// struct elements name ?-value? ?-size?: the field names (or addresses, or
// sizes), each followed by a blank, in declaration order.
int structElements(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[2];
    bool values = false, sizes = false;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-value")) values = true;
        if (zorakEqualNoCase(argv[i], "-size")) sizes = true;
    }
    size_t size = 0;
    Var* var = findStruct(interp, name);
    if (!structBytes(var, &size)) {
        zorakReportError(interp, "%s: Struct '%s' not found or not a struct\n", "struct elements",
                         name);
        return ERROR;
    }
    std::string out;
    for (Var* member : var->list->members) {
        if (sizes)
            out += decimal(member->size);
        else
            out += values ? member->value : member->name;
        out += ' ';
    }
    zorakSetResult(interp, out.c_str(), 0);
    return out.empty() ? ERROR : OK;
}

// struct dump name: the block in hexadecimal and as text, 16 bytes a line,
// with offsets from the start of the block; the result is its size.
int structDump(Interpreter* interp, const char* name) {
    size_t size = 0;
    const unsigned char* bytes = structBytes(findStruct(interp, name), &size);
    if (!bytes) {
        zorakReportError(interp, "%s: Struct '%s' not found or not a struct\n", "struct dump",
                         name);
        return ERROR;
    }
    zorakHexDump(bytes, size);
    zorakSetResult(interp, decimal(static_cast<long long>(size)).c_str(), 0);
    return OK;
}

bool isStructSubcommand(const char* word) {
    static const char* const names[] = {"create", "set",      "item", "size", "copy",      "clear",
                                        "unset",  "elements", "dump", "setb", "ofaddressb"};
    for (const char* name : names)
        if (zorakEqualNoCase(word, name)) return true;
    return false;
}

int structDispatch(Interpreter* interp, int argc, char** argv) {
    const char* sub = argv[1];
    auto is = [sub](const char* name) { return zorakEqualNoCase(sub, name); };
    if (!isStructSubcommand(sub)) return structCreate(interp, argc - 1, argv + 1);
    if (is("create")) {
        if (argc < 4) return zorakWrongArgs(interp, argc, argv);
        return structCreate(interp, argc - 2, argv + 2);
    }
    if (is("set")) {
        if (argc < 4) return structItem(interp, argv[2]);
        return structPut(interp, argv[2], argv[3], argc > 4 ? argv[4] : nullptr);
    }
    if (is("item")) return structItem(interp, argv[2]);
    if (is("size")) return structSize(interp, argv[2]);
    if (is("copy")) {
        if (argc < 4) return zorakWrongArgs(interp, argc, argv);
        return structCopy(interp, argv[2], argv[3]);
    }
    if (is("clear")) return structClear(interp, argv[2]);
    if (is("unset")) return structUnset(interp, argc, argv);
    if (is("elements")) return structElements(interp, argc, argv);
    if (is("dump")) return structDump(interp, argv[2]);
    // Raw byte access by address is left to no script: every byte a script
    // reaches goes through a named field.
    zorakReportError(interp, "struct %s: Raw memory access is not available (use => and ->)\n",
                     sub);
    return ERROR;
}

int zorakCommandStruct(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    try {
        return structDispatch(interp, argc, argv);
    } catch (...) {
        zorakReportException("zorakCommandStruct", nullptr);
        return ERROR;
    }
}

int zorakCommandStructPut(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    try {
        return structPut(interp, argv[1], argv[2], argc > 3 ? argv[3] : nullptr);
    } catch (...) {
        zorakReportException("zorakCommandStructPut", nullptr);
        return ERROR;
    }
}

int zorakCommandStructItem(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    try {
        return structItem(interp, argv[1]);
    } catch (...) {
        zorakReportException("zorakCommandStructItem", nullptr);
        return ERROR;
    }
}

// The byte size of a basic type name; unknown names are word-sized (4).
int zorakCommandSizeof(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    const char* type = argv[1];
    auto is = [type](const char* name) { return zorakEqualNoCase(type, name); };
    const char* size = "4";
    if (is("char") || is("byte"))
        size = "1";
    else if (is("short"))
        size = "2";
    else if (is("float") || is("double") || is("int64"))
        size = "8";
    zorakSetResult(interp, size, 0);
    return OK;
}

int hookUnset(Interpreter* interp, const char* name) {
    return zorakStructUnset(interp, name, false);
}

} // namespace

void zorakRegisterStructCommands(Interpreter* interp) {
    zorakVarHooks.struct_member_text = zorakStructMemberText;
    zorakVarHooks.struct_find_member = zorakStructFindMember;
    zorakVarHooks.struct_unset = hookUnset;
    zorakVarHooks.struct_release = zorakStructRelease;
    zorakRegisterCommand(interp, "struct", zorakCommandStruct, nullptr, 0);
    zorakRegisterCommand(interp, "=>", zorakCommandStructPut, nullptr, 0);
    zorakRegisterCommand(interp, "->", zorakCommandStructItem, nullptr, 0);
    zorakRegisterCommand(interp, "sizeof", zorakCommandSizeof, nullptr, 0);
}
