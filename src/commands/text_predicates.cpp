// The character-class tests is_alnum, is_alpha, is_digit, is_lower,
// is_upper, is_punct, is_space and is_xdigit: one handler, told the class by its
// private data. Like "string is_alpha" they answer "1" when
// every character is in the class, so an empty text answers "1" unless
// -strict asks for at least one character. Classes are ASCII, as the C
// library's in its default locale.
#include "commands/text_commands.h"

#include "commands/string_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/text.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isAlpha(char c) {
    return isUpper(c) || isLower(c);
}
bool isAlnum(char c) {
    return isAlpha(c) || isDigit(c);
}
bool isXdigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Printable ASCII that is neither a letter, a digit nor the blank.
bool isPunct(char c) {
    return c > ' ' && c < 127 && !isAlnum(c);
}

struct CharacterClass {
    const char* name;
    bool (*test)(char c);
};

const CharacterClass kClasses[] = {
    {"is_alnum", isAlnum},
    {"is_alpha", isAlpha},
    {"is_digit", isDigit},
    {"is_lower", isLower},
    {"is_upper", isUpper},
    {"is_punct", isPunct},
    {"is_space", zorakStringIsSpace},
    {"is_xdigit", isXdigit},
};

// is_CLASS text ?-strict? ?-var?
int zorakCommandIsClass(Interpreter* interp, int argc, char** argv, void* data) {
    if (argc < 2 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    bool byName = false, strict = false;
    for (int i = 2; i < argc; i++) {
        if (std::strcmp(argv[i], "-var") == 0)
            byName = true;
        else if (zorakEqualNoCase(argv[i], "-strict"))
            strict = true;
        else
            return zorakTextBadOption(interp, argv[0], argv[i]);
    }
    // The class travels as the command's private data rather than being
    // found from the command word, so an alias or a renamed test still works.
    const auto* cls = static_cast<const CharacterClass*>(data);
    if (!cls) {
        zorakReportError(interp, "%s: Unknown character class\n", argv[0]);
        return ERROR;
    }
    std::string text = zorakTextOperand(interp, argv[1], byName);
    bool every = std::all_of(text.begin(), text.end(), cls->test);
    return zorakStringResult(interp, every && !(strict && text.empty()) ? "1" : "0");
}

} // namespace

void zorakRegisterTextPredicateCommands(Interpreter* interp) {
    for (const CharacterClass& cls : kClasses)
        zorakRegisterCommand(interp, cls.name, zorakCommandIsClass,
                             const_cast<CharacterClass*>(&cls), 0);
}
