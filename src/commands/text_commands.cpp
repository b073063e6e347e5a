// The text utility commands that work on characters and shape text: asc,
// chr, lastchar, index, item, cmp, comma, makestr, extract, filter,
// tokenise, wrap, unwrap and expand. Positions follow the string commands:
// index counts from 0 like "string index", field numbers count from 1.
#include "commands/text_commands.h"

#include "commands/list_core.h"
#include "commands/string_core.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/number_text.h"
#include "util/text.h"

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The longest text makestr builds; a larger count is refused rather than
// left to exhaust the heap.
constexpr int64_t kMaxMadeText = int64_t{1} << 26;
// The widest tab stop expand takes, so that its result stays in proportion
// to its input.
constexpr int64_t kMaxTabWidth = 256;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A position word: a number, "end" for last or "end-N" for N before it.
bool positionWord(const char* word, int64_t last, int64_t* position) {
    if (std::strncmp(word, "end", 3) == 0) {
        if (word[3] == '\0') {
            *position = last;
            return true;
        }
        int64_t back = 0;
        if (word[3] != '-' || !zorakTextInteger(word + 4, &back) || back < 0) return false;
        *position = last - back;
        return true;
    }
    return zorakTextInteger(word, position);
}

// ---------------------------------------------------------------- characters

// asc text ?-var?: the code of the first character, 0 to 255.
int zorakCommandAsc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    bool byName = false;
    if (zorakTextVarFlag(interp, argc, argv, 2, &byName) != OK) return ERROR;
    std::string text = zorakTextOperand(interp, argv[1], byName);
    if (text.empty()) {
        zorakReportError(interp, "%s: Empty text\n", argv[0]);
        return ERROR;
    }
    return zorakStringResultInt(interp, static_cast<unsigned char>(text[0]));
}

// chr code ?code ...?: the characters with these codes. A text cannot hold
// a zero byte, so the codes run from 1 to 255.
int zorakCommandChr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    for (int i = 1; i < argc; i++) {
        int64_t code = 0;
        if (!zorakTextInteger(argv[i], &code)) return zorakTextBadNumber(interp, argv[0], argv[i]);
        if (code < 1 || code > 255) {
            zorakReportError(interp, "%s: Character code %s is out of range 1 to 255\n", argv[0],
                             argv[i]);
            return ERROR;
        }
        out.push_back(static_cast<char>(code));
    }
    return zorakStringResult(interp, out);
}

// lastchar text ?-var?: the last character, or the empty text.
int zorakCommandLastchar(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    bool byName = false;
    if (zorakTextVarFlag(interp, argc, argv, 2, &byName) != OK) return ERROR;
    std::string text = zorakTextOperand(interp, argv[1], byName);
    return zorakStringResult(interp, text.empty() ? std::string_view()
                                                  : std::string_view(text).substr(text.size() - 1));
}

// index text position ?-var?: the character at a 0-based position ("end"
// and "end-N" count from the last one).
int zorakCommandIndex(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    bool byName = false;
    if (zorakTextVarFlag(interp, argc, argv, 3, &byName) != OK) return ERROR;
    std::string text = zorakTextOperand(interp, argv[1], byName);
    int64_t length = static_cast<int64_t>(text.size());
    int64_t position = 0;
    if (!positionWord(argv[2], length - 1, &position))
        return zorakTextBadNumber(interp, argv[0], argv[2]);
    if (position < 0 || position >= length) {
        zorakReportError(interp, "%s: Position %s is outside the text of length %lld\n", argv[0],
                         argv[2], static_cast<long long>(length));
        return ERROR;
    }
    return zorakStringResult(interp,
                             std::string_view(text).substr(static_cast<size_t>(position), 1));
}

// item text number ?separators?: the field with this 1-based number ("end"
// for the last) of the text cut at each separator character (default ",").
// Empty fields count; a number past the last field gives the empty text.
int zorakCommandItem(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    std::vector<std::string> fields = zorakSplitFields(argv[1], argc > 3 ? argv[3] : ",", false);
    int64_t number = 0;
    if (!positionWord(argv[2], static_cast<int64_t>(fields.size()), &number))
        return zorakTextBadNumber(interp, argv[0], argv[2]);
    if (number < 1) {
        zorakReportError(interp, "%s: Item number %s is below 1\n", argv[0], argv[2]);
        return ERROR;
    }
    if (number > static_cast<int64_t>(fields.size())) return zorakStringResult(interp, "");
    return zorakStringResult(interp, fields[static_cast<size_t>(number - 1)]);
}

// ---------------------------------------------------------------- comparing

// cmp a b ?-nocase?: -1, 0 or 1 as a sorts before, with or after b, byte by
// byte as unsigned codes.
int zorakCommandCmp(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    if (argc > 3) {
        if (!zorakEqualNoCase(argv[3], "-nocase"))
            return zorakTextBadOption(interp, argv[0], argv[3]);
        nocase = true;
    }
    std::string_view a(argv[1]), b(argv[2]);
    int order = nocase ? zorakCompareNoCase(a, b) : a.compare(b);
    return zorakStringResultInt(interp, order < 0 ? -1 : order > 0 ? 1 : 0);
}

// ---------------------------------------------------------------- numbers

// The digits of a plain decimal: an optional sign, digits, and an optional
// fraction. Any length, since the text is grouped as written.
bool plainDecimal(std::string_view text, size_t* intStart, size_t* intEnd) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) i++;
    size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        i++;
    if (i == start) return false;
    size_t end = i;
    if (i < text.size() && text[i] == '.') {
        i++;
        size_t fraction = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            i++;
        if (i == fraction) return false;
    }
    if (i != text.size()) return false;
    *intStart = start;
    *intEnd = end;
    return true;
}

// comma number ?separator?: the number with a separator (default ",")
// between groups of three digits of its whole part.
int zorakCommandComma(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view separator = argc > 2 ? argv[2] : ",";
    std::string number(argv[1]);
    size_t start = 0, end = 0;
    if (!plainDecimal(number, &start, &end)) {
        // Radix forms ("0x1F", "&hFF", "0b101") are grouped in decimal.
        int64_t value = 0;
        if (!zorakTextInteger(argv[1], &value)) return zorakTextBadNumber(interp, argv[0], argv[1]);
        char digits[32];
        number.assign(digits, static_cast<size_t>(zorakPrintInt64(digits, value)));
        plainDecimal(number, &start, &end);
    }
    std::string out(number, 0, start);
    for (size_t i = start; i < end; i++) {
        if (i > start && (end - i) % 3 == 0) out.append(separator);
        out.push_back(number[i]);
    }
    out.append(number, end, std::string::npos);
    return zorakStringResult(interp, out);
}

// makestr count ?text?: the text (default one blank) count times. As with
// "string repeat", a negative count gives the empty text.
int zorakCommandMakestr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view unit = argc > 2 ? argv[2] : " ";
    int64_t count = 0;
    if (!zorakTextInteger(argv[1], &count)) return zorakTextBadNumber(interp, argv[0], argv[1]);
    if (count <= 0 || unit.empty()) return zorakStringResult(interp, "");
    if (count > kMaxMadeText / static_cast<int64_t>(unit.size())) {
        zorakReportError(interp, "%s: Count %s makes a text longer than %lld bytes\n", argv[0],
                         argv[1], static_cast<long long>(kMaxMadeText));
        return ERROR;
    }
    std::string out;
    out.reserve(static_cast<size_t>(count) * unit.size());
    for (int64_t i = 0; i < count; i++)
        out.append(unit);
    return zorakStringResult(interp, out);
}

// ---------------------------------------------------------------- cutting

// extract text start stop ?-nocase?: the text between the first occurrence
// of start and the next occurrence of stop after it. An empty start means the
// beginning, an empty stop the end; a marker that is absent gives the empty
// text.
int zorakCommandExtract(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4 || argc > 5) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    if (argc > 4) {
        if (!zorakEqualNoCase(argv[4], "-nocase"))
            return zorakTextBadOption(interp, argv[0], argv[4]);
        nocase = true;
    }
    std::string_view text(argv[1]), start(argv[2]), stop(argv[3]);
    size_t from = 0;
    if (!start.empty()) {
        from = zorakStringFind(text, start, nocase, false);
        if (from == std::string_view::npos) return zorakStringResult(interp, "");
        from += start.size();
    }
    std::string_view rest = text.substr(from);
    size_t to = stop.empty() ? rest.size() : zorakStringFind(rest, stop, nocase, false);
    if (to == std::string_view::npos) return zorakStringResult(interp, "");
    return zorakStringResult(interp, rest.substr(0, to));
}

// The characters of a set word: each character stands for itself, and "x-y"
// between two characters stands for the codes from x to y.
void characterSet(std::string_view set, bool chosen[256]) {
    for (size_t i = 0; i < set.size(); i++) {
        auto low = static_cast<unsigned char>(set[i]);
        if (i + 2 < set.size() && set[i + 1] == '-') {
            auto high = static_cast<unsigned char>(set[i + 2]);
            for (unsigned c = low; c <= high; c++)
                chosen[c] = true;
            i += 2;
        } else {
            chosen[low] = true;
        }
    }
}

// filter text set ?-keep?: the text without the characters of the set, or
// with -keep only those.
int zorakCommandFilter(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    bool keep = false;
    if (argc > 3) {
        if (!zorakEqualNoCase(argv[3], "-keep"))
            return zorakTextBadOption(interp, argv[0], argv[3]);
        keep = true;
    }
    bool chosen[256] = {};
    characterSet(argv[2], chosen);
    std::string out;
    for (const char* p = argv[1]; *p; p++)
        if (chosen[static_cast<unsigned char>(*p)] == keep) out.push_back(*p);
    return zorakStringResult(interp, out);
}

// tokenise text ?separators?: the words of the text as a list. Words are
// parted by runs of separator characters (default blanks, tabs and line
// ends); double quotes group a part that may hold separators and are
// dropped, and two double quotes inside a quoted part stand for one.
int zorakCommandTokenise(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view separators = argc > 2 ? argv[2] : " \t\r\n";
    std::string_view text(argv[1]);
    std::string out, word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (quoted) {
            if (c != '"') {
                word.push_back(c);
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                word.push_back('"');
                i++;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (separators.find(c) != std::string_view::npos) {
            if (inWord) zorakListAppendWord(&out, word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (quoted) {
        zorakReportError(interp, "%s: Unbalanced double quote in '%.40s'\n", argv[0], argv[1]);
        return ERROR;
    }
    if (inWord) zorakListAppendWord(&out, word);
    return zorakStringResult(interp, out);
}

// ---------------------------------------------------------------- layout

// The lines of a text, cut at line feeds; a carriage return before a line
// feed goes with it.
std::vector<std::string_view> textLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) return lines;
        start = end + 1;
    }
}

bool widthWord(const char* word, int64_t highest, int64_t* width) {
    return zorakTextInteger(word, width) && *width >= 1 && *width <= highest;
}

// wrap text ?width?: each line filled with whole words up to width columns
// (default 80); a word longer than the width stands on a line of its own.
// Words are parted by single blanks; empty lines are kept.
int zorakCommandWrap(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t width = 80;
    if (argc > 2 && !widthWord(argv[2], INT64_MAX, &width)) {
        zorakReportError(interp, "%s: Invalid width '%s'\n", argv[0], argv[2]);
        return ERROR;
    }
    std::string out;
    bool firstLine = true;
    for (std::string_view line : textLines(argv[1])) {
        if (!firstLine) out.push_back('\n');
        firstLine = false;
        int64_t column = 0;
        size_t i = 0;
        for (;;) {
            while (i < line.size() && isBlank(line[i]))
                i++;
            if (i == line.size()) break;
            size_t end = i;
            while (end < line.size() && !isBlank(line[end]))
                end++;
            auto length = static_cast<int64_t>(end - i);
            if (column > 0 && column + 1 + length > width) {
                out.push_back('\n');
                column = 0;
            } else if (column > 0) {
                out.push_back(' ');
                column++;
            }
            out.append(line.substr(i, end - i));
            column += length;
            i = end;
        }
    }
    return zorakStringResult(interp, out);
}

// unwrap text: the lines of each paragraph joined with single blanks.
// Paragraphs are parted by empty (or blank) lines, which are kept; the first
// line of a paragraph keeps its indentation.
int zorakCommandUnwrap(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    bool inParagraph = false, firstLine = true;
    for (std::string_view line : textLines(argv[1])) {
        std::string_view words = zorakStringTrim(line, " \t", true, true);
        if (inParagraph && !words.empty()) {
            out.push_back(' ');
            out.append(words);
        } else {
            if (!firstLine) out.push_back('\n');
            out.append(zorakStringTrim(line, " \t", false, true));
            inParagraph = !words.empty();
        }
        firstLine = false;
    }
    return zorakStringResult(interp, out);
}

// expand text ?tabwidth?: each tab replaced by the blanks up to the next tab
// stop (every 8 columns by default); line ends start column 0 again.
int zorakCommandExpand(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t width = 8;
    if (argc > 2 && !widthWord(argv[2], kMaxTabWidth, &width)) {
        zorakReportError(interp, "%s: Tab width '%s' is out of range 1 to %lld\n", argv[0], argv[2],
                         static_cast<long long>(kMaxTabWidth));
        return ERROR;
    }
    std::string out;
    int64_t column = 0;
    for (const char* p = argv[1]; *p; p++) {
        if (*p == '\t') {
            int64_t blanks = width - column % width;
            out.append(static_cast<size_t>(blanks), ' ');
            column += blanks;
        } else {
            out.push_back(*p);
            column = (*p == '\n' || *p == '\r') ? 0 : column + 1;
        }
    }
    return zorakStringResult(interp, out);
}

struct TextCommand {
    const char* name;
    CommandHandler handler;
};

const TextCommand kTextCommands[] = {
    {"asc", zorakCommandAsc},         {"chr", zorakCommandChr},
    {"cmp", zorakCommandCmp},         {"comma", zorakCommandComma},
    {"expand", zorakCommandExpand},   {"extract", zorakCommandExtract},
    {"filter", zorakCommandFilter},   {"index", zorakCommandIndex},
    {"item", zorakCommandItem},       {"lastchar", zorakCommandLastchar},
    {"makestr", zorakCommandMakestr}, {"tokenise", zorakCommandTokenise},
    {"unwrap", zorakCommandUnwrap},   {"wrap", zorakCommandWrap},
};

} // namespace

std::string zorakTextOperand(Interpreter* interp, const char* word, bool byName) {
    Var* var = byName ? zorakStringVar(interp, word) : nullptr;
    return var ? std::string(zorakStringVarText(var)) : std::string(word);
}

int zorakTextVarFlag(Interpreter* interp, int argc, char** argv, int fixedWords, bool* byName) {
    *byName = false;
    for (int i = fixedWords; i < argc; i++) {
        if (std::strcmp(argv[i], "-var") != 0) return zorakTextBadOption(interp, argv[0], argv[i]);
        *byName = true;
    }
    return OK;
}

bool zorakTextInteger(const char* word, int64_t* value) {
    if (!zorakIsNumberText(word) || std::strchr(word, '.')) return false;
    if (!zorakIsDecimalNumber(word)) {
        *value = parse_integer_text(word);
        return true;
    }
    // Decimal: refuse a value beyond the 64-bit range rather than saturate.
    const char* p = word;
    while (isBlank(*p))
        p++;
    if (*p == '+') p++;
    const char* end = p + std::strlen(p);
    auto parsed = std::from_chars(p, end, *value);
    return parsed.ec == std::errc() && parsed.ptr == end;
}

int zorakTextBadNumber(Interpreter* interp, const char* command, const char* word) {
    zorakReportError(interp, "%s: Invalid number '%s'\n", command, word);
    return ERROR;
}

int zorakTextBadOption(Interpreter* interp, const char* command, const char* word) {
    zorakReportError(interp, "%s: Unknown option '%s'\n", command, word);
    return ERROR;
}

void zorakRegisterTextCommands(Interpreter* interp) {
    for (const TextCommand& command : kTextCommands)
        zorakRegisterCommand(interp, command.name, command.handler, nullptr, 0);
    zorakRegisterTextEncodingCommands(interp);
    zorakRegisterTextPredicateCommands(interp);
}
