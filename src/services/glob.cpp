// glob: the file names that match patterns. A pattern's parts between
// slashes each match names in a folder: "*" any run, "?" one character,
// "[a-z]" one of a set, "\x" x itself, and "{a,b}" each alternative in turn.
// Names of each folder come sorted, so a result never depends on the order
// the system keeps them in; alternatives keep the order they are written in.
#include "services/folder_commands.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "services/file_command.h"
#include "util/text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Brace alternatives grow as a product; beyond this many a pattern is
// refused rather than expanded.
constexpr size_t kMaxAlternatives = 10000;
constexpr int kMaxBraceGroups = 256;

bool nocaseNames() {
    return platformPathSeparator() == '\\';
}

char fold(char c) {
    return nocaseNames() ? zorakLowerAscii(c) : c;
}

// One pattern character (or class, or escaped character) against c; *step
// receives the pattern length it took.
bool matchOne(const std::string& pattern, size_t p, char c, size_t* step) {
    if (pattern[p] == '\\' && p + 1 < pattern.size()) {
        *step = 2;
        return fold(pattern[p + 1]) == fold(c);
    }
    if (pattern[p] == '?') {
        *step = 1;
        return true;
    }
    if (pattern[p] == '[') {
        size_t q = p + 1;
        bool found = false;
        while (q < pattern.size() && pattern[q] != ']') {
            char low = pattern[q];
            char high = low;
            if (q + 2 < pattern.size() && pattern[q + 1] == '-' && pattern[q + 2] != ']') {
                high = pattern[q + 2];
                q += 2;
            }
            if (low > high) std::swap(low, high);
            if ((fold(c) >= fold(low) && fold(c) <= fold(high)) || (c >= low && c <= high))
                found = true;
            q++;
        }
        // An unclosed class is taken as the text of a "[".
        if (q >= pattern.size()) {
            *step = 1;
            return c == '[';
        }
        *step = q + 1 - p;
        return found;
    }
    *step = 1;
    return fold(pattern[p]) == fold(c);
}

// Greedy matching with one backtrack point: linear in practice, never
// recursive.
bool globMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0, t = 0, star = std::string::npos, resume = 0;
    while (t < name.size()) {
        size_t step = 0;
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && matchOne(pattern, p, name[t], &step)) {
            p += step;
            t++;
        } else if (star != std::string::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        p++;
    return p == pattern.size();
}

bool hasWildcard(const std::string& part) {
    for (size_t i = 0; i < part.size(); i++) {
        if (part[i] == '\\') {
            i++;
            continue;
        }
        if (part[i] == '*' || part[i] == '?' || part[i] == '[') return true;
    }
    return false;
}

std::string unescape(const std::string& part) {
    std::string out;
    for (size_t i = 0; i < part.size(); i++) {
        if (part[i] == '\\' && i + 1 < part.size()) i++;
        out += part[i];
    }
    return out;
}

// Expands the first brace group of pattern, and the groups of each result
// in turn. False for an unmatched brace or too many alternatives.
bool expandBraces(const std::string& pattern, std::vector<std::string>* out, const char** problem,
                  int level = 0) {
    // Each group is one level down; more groups than this is no file name.
    if (level > kMaxBraceGroups) {
        *problem = "too many alternatives in file name";
        return false;
    }
    size_t open = std::string::npos;
    for (size_t i = 0; i < pattern.size(); i++) {
        if (pattern[i] == '\\') {
            i++;
            continue;
        }
        if (pattern[i] == '{') {
            open = i;
            break;
        }
        if (pattern[i] == '}') {
            *problem = "unmatched close-brace in file name";
            return false;
        }
    }
    if (open == std::string::npos) {
        if (out->size() >= kMaxAlternatives) {
            *problem = "too many alternatives in file name";
            return false;
        }
        out->push_back(pattern);
        return true;
    }
    std::vector<std::string> choices;
    std::string current;
    int depth = 0;
    size_t close = std::string::npos;
    for (size_t i = open + 1; i < pattern.size() && close == std::string::npos; i++) {
        char c = pattern[i];
        if (c == '\\' && i + 1 < pattern.size()) {
            current += c;
            current += pattern[++i];
        } else if (c == '{') {
            depth++;
            current += c;
        } else if (c == '}' && depth > 0) {
            depth--;
            current += c;
        } else if (c == '}') {
            choices.push_back(current);
            close = i;
        } else if (c == ',' && depth == 0) {
            choices.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (close == std::string::npos) {
        *problem = "unmatched open-brace in file name";
        return false;
    }
    std::string before = pattern.substr(0, open), after = pattern.substr(close + 1);
    for (const std::string& choice : choices)
        if (!expandBraces(before + choice + after, out, problem, level + 1)) return false;
    return true;
}

struct TypeFilter {
    // Kinds wanted (any of them); none means every kind.
    std::vector<PlatformFileType> kinds;
    bool links = false;
    int access = 0;
    bool readonly = false;
    bool hidden = false;
};

bool parseTypes(const std::string& list, TypeFilter* filter, std::string* bad) {
    StringVector words;
    zorakSplitList(list, &words);
    bool ok = true;
    for (int i = 0; i < words.count && ok; i++) {
        std::string word = words.items[i];
        if (word == "d")
            filter->kinds.push_back(PlatformFileType::Directory);
        else if (word == "f")
            filter->kinds.push_back(PlatformFileType::File);
        else if (word == "l")
            filter->links = true;
        else if (word == "p")
            filter->kinds.push_back(PlatformFileType::Fifo);
        else if (word == "s")
            filter->kinds.push_back(PlatformFileType::Socket);
        else if (word == "b")
            filter->kinds.push_back(PlatformFileType::BlockDevice);
        else if (word == "c")
            filter->kinds.push_back(PlatformFileType::CharDevice);
        else if (word == "r")
            filter->access |= kAccessRead;
        else if (word == "w")
            filter->access |= kAccessWrite;
        else if (word == "x")
            filter->access |= kAccessExecute;
        else if (word == "readonly")
            filter->readonly = true;
        else if (word == "hidden")
            filter->hidden = true;
        else {
            *bad = word;
            ok = false;
        }
    }
    zorakVectorFree(&words);
    return ok;
}

bool isHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

bool passes(const TypeFilter& filter, const std::string& path, const std::string& name) {
    if (filter.hidden && !isHiddenName(name)) return false;
    if (!filter.kinds.empty() || filter.links) {
        PlatformFileInfo info, own;
        bool any = false;
        if (filter.links && platformFileInfo(path.c_str(), false, &own) &&
            own.type == PlatformFileType::Link)
            any = true;
        if (!any && platformFileInfo(path.c_str(), true, &info))
            any = std::find(filter.kinds.begin(), filter.kinds.end(), info.type) !=
                  filter.kinds.end();
        if (!any) return false;
    }
    if (filter.access && !platformFileAccess(path.c_str(), filter.access)) return false;
    if (filter.readonly && platformFileAccess(path.c_str(), kAccessWrite)) return false;
    return true;
}

struct Walk {
    const TypeFilter* filter;
    // The folder the pattern is taken from ("" for the working folder), and
    // whether results show it.
    std::string base;
    bool tails = false;
    std::vector<std::string>* results;
};

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/' || folder.back() == '\\') return folder + name;
    return folder + "/" + name;
}

// Matches parts[index...] below rel (the path relative to the base).
void walk(const Walk& w, const std::vector<std::string>& parts, size_t index,
          const std::string& rel, bool directoriesOnly) {
    std::string here = joined(w.base, rel);
    if (index == parts.size()) {
        std::string name = zorakPathTail(here);
        PlatformFileInfo info;
        if (!platformFileInfo(here.empty() ? "." : here.c_str(), false, &info)) return;
        if (directoriesOnly && info.type != PlatformFileType::Directory &&
            !(info.type == PlatformFileType::Link && platformFileInfo(here.c_str(), true, &info) &&
              info.type == PlatformFileType::Directory))
            return;
        if (!passes(*w.filter, here, name)) return;
        std::string shown = w.tails ? rel : here;
        if (directoriesOnly) shown += '/';
        w.results->push_back(shown);
        return;
    }
    const std::string& part = parts[index];
    if (!hasWildcard(part)) {
        walk(w, parts, index + 1, joined(rel, unescape(part)), directoriesOnly);
        return;
    }
    std::vector<std::string> names;
    if (!platformListDirectory(here.empty() ? "." : here.c_str(), &names)) return;
    std::sort(names.begin(), names.end());
    bool showHidden = part[0] == '.' || (w.filter->hidden && index + 1 == parts.size());
    for (const std::string& name : names) {
        if (isHiddenName(name) && !showHidden) continue;
        if (!globMatch(part, name)) continue;
        std::string next = joined(rel, name);
        if (index + 1 < parts.size()) {
            PlatformFileInfo info;
            if (!platformFileInfo(joined(w.base, next).c_str(), true, &info) ||
                info.type != PlatformFileType::Directory)
                continue;
        }
        walk(w, parts, index + 1, next, directoriesOnly);
    }
}

// One pattern after brace expansion: its root (an absolute start, a "~"
// for the home folder) is split off, then its parts walked.
void globOne(const std::string& pattern, const TypeFilter& filter, const std::string& directory,
             bool tails, std::vector<std::string>* results) {
    std::string rest = pattern, root;
    if (rest.size() >= 1 && rest[0] == '~' && (rest.size() == 1 || rest[1] == '/')) {
        if (!platformHomeDirectory(&root)) return;
        rest = rest.size() > 1 ? rest.substr(2) : "";
        if (root.empty() || (root.back() != '/' && root.back() != '\\')) root += '/';
    } else if (!rest.empty() && rest[0] == '/') {
        root = "/";
        rest = rest.substr(1);
    } else if (rest.size() >= 2 && rest[1] == ':' && nocaseNames()) {
        root = rest.substr(0, 2);
        rest = rest.substr(2);
        if (!rest.empty() && rest[0] == '/') {
            root += '/';
            rest = rest.substr(1);
        }
    }
    bool directoriesOnly = !rest.empty() && rest.back() == '/';
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t slash = rest.find('/', start);
        if (slash == std::string::npos) slash = rest.size();
        if (slash > start) parts.push_back(rest.substr(start, slash - start));
        start = slash + 1;
    }
    // No real path has this many levels; walking them would only go deep.
    if (parts.size() > 1024) return;
    Walk w{&filter, root.empty() ? directory : root, tails, results};
    if (parts.empty()) {
        // The root alone ("/", "~") names itself.
        if (!root.empty() && !tails) results->push_back(root);
        return;
    }
    walk(w, parts, 0, "", directoriesOnly);
}

int zorakCommandGlob(Interpreter* interp, int argc, char** argv, void*) {
    std::string directory, prefix;
    bool nocomplain = false, tails = false, join = false, hasDirectory = false, hasPath = false;
    TypeFilter filter;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; i++) {
        std::string option = argv[i];
        if (option == "--") {
            i++;
            break;
        }
        bool needsValue = option == "-directory" || option == "-path" || option == "-types";
        if (needsValue && i + 1 >= argc) {
            zorakReportError(interp, "%s: missing argument to \"%s\"\n", argv[0], argv[i]);
            return ERROR;
        }
        if (option == "-directory") {
            directory = argv[++i];
            hasDirectory = true;
        } else if (option == "-path") {
            prefix = argv[++i];
            hasPath = true;
        } else if (option == "-types") {
            std::string bad;
            if (!parseTypes(argv[++i], &filter, &bad)) {
                zorakReportError(interp, "%s: bad argument to \"-types\": %s\n", argv[0],
                                 bad.c_str());
                return ERROR;
            }
        } else if (option == "-nocomplain") {
            nocomplain = true;
        } else if (option == "-tails") {
            tails = true;
        } else if (option == "-join") {
            join = true;
        } else {
            zorakReportError(interp,
                             "%s: bad option \"%s\": must be -directory, -join, -nocomplain, "
                             "-path, -tails, -types, or --\n",
                             argv[0], argv[i]);
            return ERROR;
        }
    }
    if (i >= argc) return zorakWrongArgs(interp, argc, argv);
    if (hasDirectory && hasPath) {
        zorakReportError(interp, "%s: \"-directory\" cannot be used with \"-path\"\n", argv[0]);
        return ERROR;
    }
    if (tails && !hasDirectory && !hasPath) {
        zorakReportError(interp,
                         "%s: \"-tails\" must be used with either \"-directory\" or "
                         "\"-path\"\n",
                         argv[0]);
        return ERROR;
    }
    std::vector<std::string> patterns;
    if (join) {
        std::string all;
        for (int k = i; k < argc; k++)
            all = all.empty() ? argv[k] : joined(all, argv[k]);
        patterns.push_back(all);
    } else {
        patterns.assign(argv + i, argv + argc);
    }
    std::vector<std::string> results;
    for (std::string pattern : patterns) {
        std::string base = directory;
        if (hasPath) {
            // The prefix's folder is the base; its last part leads every name.
            std::string folder = zorakPathDirname(prefix), lead = zorakPathTail(prefix);
            if (!prefix.empty() && (prefix.back() == '/' || prefix.back() == '\\')) {
                folder = prefix;
                lead.clear();
            }
            std::string escaped;
            for (char c : lead) {
                if (std::strchr("*?[]{}\\", c)) escaped += '\\';
                escaped += c;
            }
            base = folder == "." && prefix.find('/') == std::string::npos ? "" : folder;
            pattern = escaped + pattern;
        }
        std::vector<std::string> expanded;
        const char* problem = nullptr;
        if (!expandBraces(pattern, &expanded, &problem)) {
            zorakReportError(interp, "%s: %s\n", argv[0], problem);
            return ERROR;
        }
        for (const std::string& one : expanded)
            globOne(one, filter, base, tails, &results);
    }
    if (results.empty() && !nocomplain) {
        std::string shown;
        for (const std::string& pattern : patterns)
            shown += (shown.empty() ? "" : " ") + pattern;
        zorakReportError(interp, "%s: no files matched glob pattern%s \"%s\"\n", argv[0],
                         patterns.size() > 1 ? "s" : "", shown.c_str());
        return ERROR;
    }
    std::string out;
    for (const std::string& result : results)
        zorakListAppendWord(&out, result);
    zorakSetResult(interp, out.c_str(), 0);
    return OK;
}

} // namespace

void zorakRegisterGlobCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "glob", zorakCommandGlob, nullptr, 0);
}
