// The file command: path names (dirname, tail, join, split, normalize...),
// facts about files (exists, size, stat, type, attributes, runtype...),
// changes (mkdir, delete, rename, copy) and the channel operations on
// handles (open, gets, seek...). Every system call goes through the
// platform layer; paths of any length are plain strings.
#include "services/file_command.h"

#include "services/process_commands.h"

#include "commands/list_core.h"
#include "console/file_channels.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool isSeparator(char c) {
    return c == '/' || (c == '\\' && platformPathSeparator() == '\\');
}

// The root a path starts with: "/", or "C:/" where drives exist; "" for a
// relative path.
std::string rootOf(const std::string& path) {
    if (platformPathSeparator() == '\\' && path.size() >= 2 && path[1] == ':') {
        if (path.size() >= 3 && isSeparator(path[2])) return path.substr(0, 2) + "/";
        return path.substr(0, 2);
    }
    if (!path.empty() && isSeparator(path[0])) return "/";
    return "";
}

// The parts of a path: the root first when there is one, then each name.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string root = rootOf(path);
    size_t i = 0;
    if (!root.empty()) {
        parts.push_back(root);
        i = root.size();
    }
    while (i < path.size()) {
        while (i < path.size() && isSeparator(path[i]))
            i++;
        size_t start = i;
        while (i < path.size() && !isSeparator(path[i]))
            i++;
        if (i > start) parts.push_back(path.substr(start, i - start));
    }
    return parts;
}

std::string joinParts(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) {
        if (!rootOf(part).empty() && rootOf(part).size() == part.size()) {
            path = part;
            continue;
        }
        if (!path.empty() && !isSeparator(path.back())) path += '/';
        path += part;
    }
    return path;
}

std::string tailOf(const std::string& path) {
    std::vector<std::string> parts = splitPath(path);
    if (parts.empty() || (parts.size() == 1 && !rootOf(path).empty())) return "";
    return parts.back();
}

std::string dirnameOf(const std::string& path) {
    std::vector<std::string> parts = splitPath(path);
    std::string root = rootOf(path);
    if (parts.size() <= 1) return root.empty() ? "." : root;
    parts.pop_back();
    return joinParts(parts);
}

// The position of the extension's dot in the last name, or npos.
size_t extensionDot(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return dot;
    for (size_t i = dot + 1; i < path.size(); i++)
        if (isSeparator(path[i])) return std::string::npos;
    return dot;
}

// An absolute path with "." and ".." resolved by name, and the folder part
// resolved through its links where it exists.
std::string normalizePath(const std::string& path) {
    std::string full = path;
    if (rootOf(path).empty() || (rootOf(path).size() == 2)) {
        std::string here;
        if (platformCurrentDirectory(&here)) full = here + "/" + path;
    }
    std::vector<std::string> parts = splitPath(full), kept;
    for (const std::string& part : parts) {
        if (part == ".") continue;
        if (part == "..") {
            if (kept.size() > 1) kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string result = joinParts(kept);
    if (kept.size() > 1) {
        std::string last = kept.back(), folder;
        kept.pop_back();
        if (platformResolvePath(joinParts(kept).c_str(), &folder))
            result = joinParts({folder, last});
    }
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

std::string listOf(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& word : words)
        zorakListAppendWord(&out, word);
    return out;
}

void setNumber(Interpreter* interp, int64_t value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
}

void setBool(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 0);
}

int checkFailed(Interpreter* interp, char** argv) {
    zorakReportError(interp, "%s %s: Error checking file\n", argv[0], argv[1]);
    return ERROR;
}

const char* typeName(PlatformFileType type) {
    switch (type) {
    case PlatformFileType::File:
        return "file";
    case PlatformFileType::Directory:
        return "directory";
    case PlatformFileType::Link:
        return "link";
    case PlatformFileType::CharDevice:
        return "characterSpecial";
    case PlatformFileType::BlockDevice:
        return "blockSpecial";
    case PlatformFileType::Fifo:
        return "fifo";
    case PlatformFileType::Socket:
        return "socket";
    default:
        return "unknown";
    }
}

bool isDirectory(const std::string& path) {
    PlatformFileInfo info;
    return platformFileInfo(path.c_str(), true, &info) && info.type == PlatformFileType::Directory;
}

bool exists(const std::string& path) {
    PlatformFileInfo info;
    return platformFileInfo(path.c_str(), false, &info);
}

// Removes a file, a link, or a folder with everything in it.
bool removeTree(const std::string& path, int depth) {
    PlatformFileInfo info;
    if (!platformFileInfo(path.c_str(), false, &info)) return true;
    if (info.type != PlatformFileType::Directory) return platformRemoveFile(path.c_str());
    // Folders nested deeper than any real tree are a loop, not work.
    if (depth > 256) return false;
    std::vector<std::string> names;
    if (!platformListDirectory(path.c_str(), &names)) return false;
    for (const std::string& name : names)
        if (!removeTree(path + "/" + name, depth + 1)) return false;
    return platformRemoveDirectory(path.c_str());
}

bool copyTree(const std::string& from, const std::string& to, int depth) {
    if (!isDirectory(from)) return platformCopyFile(from.c_str(), to.c_str());
    if (depth > 256) return false;
    if (!isDirectory(to) && !platformMakeDirectory(to.c_str())) return false;
    std::vector<std::string> names;
    if (!platformListDirectory(from.c_str(), &names)) return false;
    for (const std::string& name : names)
        if (!copyTree(from + "/" + name, to + "/" + name, depth + 1)) return false;
    return true;
}

uint32_t crc32Of(const std::string& data) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

uint32_t littleEndian(const std::string& data, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; i--)
        value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<size_t>(i)]);
    return value;
}

// The kind of program a file holds, from its header: ELF and PE files by
// their class or machine, POSIX and OS/2 subsystems by name.
const char* runType(const std::string& data) {
    if (data.size() >= 5 && data.compare(0, 4,
                                         "\x7f"
                                         "ELF") == 0) {
        if (data[4] == 1) return "32bit";
        if (data[4] == 2) return "64bit";
        return "unknown";
    }
    if (data.size() < 0x40 || data.compare(0, 2, "MZ") != 0) return "unknown";
    uint32_t header = littleEndian(data, 0x3C, 4);
    if (header > data.size() || data.size() - header < 2) return "unknown";
    if (data.compare(header, 2, "NE") == 0) return "os216";
    if (data.size() - header < 24 + 70 || data.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return "unknown";
    uint32_t subsystem = littleEndian(data, header + 24 + 68, 2);
    if (subsystem == 7) return "posix";
    if (subsystem == 5) return "os216";
    uint32_t machine = littleEndian(data, header + 4, 2);
    if (machine == 0x14c) return "32bit";
    if (machine == 0x8664 || machine == 0xAA64 || machine == 0x200) return "64bit";
    return "unknown";
}

// The channel operations reuse the channel commands, named by the
// subcommand word.
int channel(CommandHandler handler, Interpreter* interp, int argc, char** argv) {
    return handler(interp, argc - 1, argv + 1, nullptr);
}

int fileSeek(Interpreter* interp, int argc, char** argv) {
    if (argc < 4 || argc > 5) return zorakWrongArgs(interp, argc, argv);
    FILE* stream = zorakChannelFromWord(argv[2], false);
    if (!stream) {
        zorakReportError(interp, "%s: %s handle\n", argv[1], "Invalid");
        return ERROR;
    }
    int origin = SEEK_SET;
    if (argc == 5) {
        if (zorakEqualNoCase(argv[4], "current"))
            origin = SEEK_CUR;
        else if (zorakEqualNoCase(argv[4], "end"))
            origin = SEEK_END;
        else if (!zorakEqualNoCase(argv[4], "start")) {
            zorakReportError(interp, "%s %s: Bad origin '%s'\n", argv[0], argv[1], argv[4]);
            return ERROR;
        }
    }
    if (!platformStreamSeek(stream, zorakLeadingInt(argv[3]), origin)) {
        zorakReportError(interp, "%s %s: Error seeking\n", argv[0], argv[1]);
        return ERROR;
    }
    setNumber(interp, platformStreamTell(stream));
    return OK;
}

int fileStat(Interpreter* interp, int argc, char** argv) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[3], kScopeCurrent);
    if (var && var->type != VT_ARRAY) {
        zorakReportError(interp, "%s %s: Variable '%s' already exists\n", argv[0], argv[1],
                         argv[3]);
        return ERROR;
    }
    PlatformFileInfo info;
    if (!platformFileInfo(argv[2], true, &info)) return checkFailed(interp, argv);
    struct Field {
        const char* name;
        int64_t value;
    };
    const Field fields[] = {{"atime", info.atime},
                            {"ctime", info.ctime},
                            {"dev", static_cast<int64_t>(info.dev)},
                            {"drive", static_cast<int64_t>(info.dev)},
                            {"gid", info.gid},
                            {"ino", static_cast<int64_t>(info.ino)},
                            {"mode", info.mode},
                            {"mtime", info.mtime},
                            {"nlink", info.nlink},
                            {"rdev", static_cast<int64_t>(info.rdev)},
                            {"size", static_cast<int64_t>(info.size)},
                            {"uid", info.uid}};
    for (const Field& field : fields) {
        char* text = zorakFormatInt(field.value);
        array_set_element(interp, argv[3], field.name, text, 0, 0);
        std::free(text);
    }
    array_set_element(interp, argv[3], "type", typeName(info.type), 0, 0);
    zorakSetResult(interp, "", 0);
    return OK;
}

int fileAttributes(Interpreter* interp, int argc, char** argv) {
    if (argc < 3 || argc > 5) return zorakWrongArgs(interp, argc, argv);
    uint32_t attributes = 0;
    if (!platformGetAttributes(argv[2], &attributes)) return checkFailed(interp, argv);
    struct Named {
        const char* option;
        uint32_t bit;
    };
    const Named names[] = {{"-archive", kAttributeArchive},
                           {"-hidden", kAttributeHidden},
                           {"-readonly", kAttributeReadonly},
                           {"-system", kAttributeSystem}};
    if (argc == 3) {
        std::vector<std::string> words;
        for (const Named& named : names) {
            words.push_back(named.option);
            words.push_back((attributes & named.bit) ? "1" : "0");
        }
        zorakSetResult(interp, listOf(words).c_str(), 0);
        return OK;
    }
    for (const Named& named : names) {
        if (!zorakEqualNoCase(argv[3], named.option)) continue;
        if (argc == 4) {
            setBool(interp, (attributes & named.bit) != 0);
            return OK;
        }
        if (!platformSetAttribute(argv[2], named.bit, zorakLeadingInt(argv[4]) != 0)) {
            zorakReportError(interp, "%s %s: Cannot set %s on '%s'\n", argv[0], argv[1],
                             named.option, argv[2]);
            return ERROR;
        }
        zorakSetResult(interp, "", 0);
        return OK;
    }
    zorakReportError(interp, "%s %s: Unknown attribute '%s'\n", argv[0], argv[1], argv[3]);
    return ERROR;
}

// Leading options of delete, rename and copy: -force, and "--" ending them.
int takeForce(int argc, char** argv, bool* force) {
    int i = 2;
    *force = false;
    for (; i < argc && argv[i][0] == '-'; i++) {
        if (std::strcmp(argv[i], "--") == 0) return i + 1;
        if (zorakEqualNoCase(argv[i], "-force"))
            *force = true;
        else
            break;
    }
    return i;
}

int fileDelete(Interpreter* interp, int argc, char** argv) {
    bool force;
    int first = takeForce(argc, argv, &force);
    for (int i = first; i < argc; i++) {
        PlatformFileInfo info;
        if (!platformFileInfo(argv[i], false, &info)) continue;
        bool ok = info.type != PlatformFileType::Directory ? platformRemoveFile(argv[i])
                  : force                                  ? removeTree(argv[i], 0)
                                                           : platformRemoveDirectory(argv[i]);
        if (!ok) {
            zorakReportError(interp, "%s %s: Cannot delete '%s'\n", argv[0], argv[1], argv[i]);
            return ERROR;
        }
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

// rename and copy: a target folder receives the source under its own name;
// an existing target is replaced only with -force.
int fileMove(Interpreter* interp, int argc, char** argv, bool copy) {
    bool force;
    int first = takeForce(argc, argv, &force);
    if (argc - first != 2) return zorakWrongArgs(interp, argc, argv);
    std::string from = argv[first], to = argv[first + 1];
    if (!exists(from)) {
        zorakReportError(interp, "%s %s: File '%s' not found\n", argv[0], argv[1], from.c_str());
        return ERROR;
    }
    if (isDirectory(to)) to = joinParts({to, tailOf(from)});
    // A copy onto its own file would empty it before reading it.
    if (copy && platformSameFile(from.c_str(), to.c_str())) {
        zorakReportError(interp, "%s %s: '%s' and '%s' are the same file\n", argv[0], argv[1],
                         from.c_str(), to.c_str());
        return ERROR;
    }
    if (exists(to)) {
        if (!force || (isDirectory(to) && !copy && !platformRemoveDirectory(to.c_str()))) {
            zorakReportError(interp, "%s %s: Target '%s' already exists\n", argv[0], argv[1],
                             to.c_str());
            return ERROR;
        }
    }
    bool ok = copy ? copyTree(from, to, 0) : platformRenameFile(from.c_str(), to.c_str());
    if (!ok) {
        zorakReportError(interp, "%s %s: Cannot %s '%s' to '%s'\n", argv[0], argv[1],
                         copy ? "copy" : "rename", from.c_str(), to.c_str());
        return ERROR;
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int fileMkdir(Interpreter* interp, int argc, char** argv) {
    for (int i = 2; i < argc; i++) {
        std::vector<std::string> parts = splitPath(argv[i]), done;
        for (const std::string& part : parts) {
            done.push_back(part);
            std::string path = joinParts(done);
            if (isDirectory(path)) continue;
            if (!platformMakeDirectory(path.c_str())) {
                zorakReportError(interp, "%s %s: Cannot create folder '%s'\n", argv[0], argv[1],
                                 path.c_str());
                return ERROR;
            }
        }
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int fileRead(Interpreter* interp, char** argv, std::string* data) {
    bool complete;
    if (!isDirectory(argv[2]) && platformReadFile(argv[2], data, &complete)) return OK;
    return checkFailed(interp, argv);
}

// Subcommands that take exactly one path and answer from it.
int onePath(Interpreter* interp, int argc, char** argv) {
    const char* sub = argv[1];
    std::string path = argv[2];
    if (std::strcmp(sub, "dirname") == 0)
        zorakSetResult(interp, dirnameOf(path).c_str(), 0);
    else if (std::strcmp(sub, "tail") == 0)
        zorakSetResult(interp, tailOf(path).c_str(), 0);
    else if (std::strcmp(sub, "name") == 0) {
        std::string tail = tailOf(path);
        size_t dot = extensionDot(tail);
        zorakSetResult(interp,
                       dot == std::string::npos ? tail.c_str() : tail.substr(0, dot).c_str(), 0);
    } else if (std::strcmp(sub, "rootname") == 0) {
        size_t dot = extensionDot(path);
        zorakSetResult(interp,
                       dot == std::string::npos ? path.c_str() : path.substr(0, dot).c_str(), 0);
    } else if (std::strcmp(sub, "extension") == 0) {
        size_t dot = extensionDot(path);
        zorakSetResult(interp, dot == std::string::npos ? "" : path.substr(dot).c_str(), 0);
    } else if (std::strcmp(sub, "split") == 0)
        zorakSetResult(interp, listOf(splitPath(path)).c_str(), 0);
    else if (std::strcmp(sub, "pathcount") == 0)
        setNumber(interp, static_cast<int64_t>(splitPath(path).size()));
    else if (std::strcmp(sub, "normalize") == 0 || std::strcmp(sub, "-longname") == 0 ||
             std::strcmp(sub, "-shortname") == 0)
        zorakSetResult(interp, normalizePath(path).c_str(), 0);
    else if (std::strcmp(sub, "isroot") == 0) {
        std::string full = normalizePath(path);
        setBool(interp, !rootOf(full).empty() && rootOf(full).size() == full.size());
    } else if (std::strcmp(sub, "normal_path") == 0) {
        zorakSetResult(interp, zorakNormalPath(path).c_str(), 0);
    } else if (std::strcmp(sub, "exists") == 0)
        setBool(interp, exists(path));
    else if (std::strcmp(sub, "isdirectory") == 0)
        setBool(interp, isDirectory(path));
    else if (std::strcmp(sub, "isfile") == 0) {
        PlatformFileInfo info;
        setBool(interp,
                platformFileInfo(path.c_str(), true, &info) && info.type == PlatformFileType::File);
    } else if (std::strcmp(sub, "readable") == 0)
        setBool(interp, platformFileAccess(path.c_str(), kAccessRead));
    else if (std::strcmp(sub, "writable") == 0 || std::strcmp(sub, "writeable") == 0)
        setBool(interp, platformFileAccess(path.c_str(), kAccessWrite));
    else if (std::strcmp(sub, "executable") == 0)
        setBool(interp, platformFileAccess(path.c_str(), kAccessExecute));
    else if (std::strcmp(sub, "unlink") == 0) {
        if (!platformRemoveFile(path.c_str())) {
            zorakReportError(interp, "%s %s: Cannot delete '%s'\n", argv[0], sub, path.c_str());
            return ERROR;
        }
        zorakSetResult(interp, "", 0);
    } else if (std::strcmp(sub, "resolve") == 0) {
        std::string full;
        if (!platformResolvePath(path.c_str(), &full)) return checkFailed(interp, argv);
        // Forward slashes, as normalize gives them.
        for (char& c : full)
            if (c == '\\') c = '/';
        if (argc > 3 && zorakEqualNoCase(argv[3], "-addslash") && full.back() != '/') full += '/';
        zorakSetResult(interp, full.c_str(), 0);
    } else if (std::strcmp(sub, "pathstrip") == 0) {
        size_t end = path.size();
        // Either separator ends the folder part here: the names are
        // often another system's.
        while (end > 0 && path[end - 1] != '/' && path[end - 1] != '\\' &&
               !(end == 2 && path[1] == ':'))
            end--;
        std::string folder = path.substr(0, end);
        if (argc > 3 && zorakEqualNoCase(argv[3], "-unix"))
            for (char& c : folder)
                if (c == '\\') c = '/';
        zorakSetResult(interp, folder.c_str(), 0);
    } else if (std::strcmp(sub, "file_crc") == 0) {
        std::string data;
        if (fileRead(interp, argv, &data) != OK) return ERROR;
        char text[16];
        std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc32Of(data)));
        zorakSetResult(interp, text, 0);
    } else if (std::strcmp(sub, "runtype") == 0) {
        std::string data;
        if (fileRead(interp, argv, &data) != OK) return ERROR;
        zorakSetResult(interp, runType(data), 0);
    } else {
        // size, type, mtime, atime: facts that need the file to exist; a
        // time given sets it first.
        bool isTime = std::strcmp(sub, "mtime") == 0 || std::strcmp(sub, "atime") == 0;
        if (isTime && argc > 3 &&
            !platformSetFileTime(path.c_str(), sub[0] == 'm', zorakLeadingInt(argv[3]))) {
            zorakReportError(interp, "%s %s: Cannot set the time of '%s'\n", argv[0], sub,
                             path.c_str());
            return ERROR;
        }
        PlatformFileInfo info;
        bool follow = std::strcmp(sub, "type") != 0;
        if (!platformFileInfo(path.c_str(), follow, &info)) return checkFailed(interp, argv);
        if (std::strcmp(sub, "size") == 0)
            setNumber(interp, static_cast<int64_t>(info.size));
        else if (std::strcmp(sub, "mtime") == 0)
            setNumber(interp, info.mtime);
        else if (std::strcmp(sub, "atime") == 0)
            setNumber(interp, info.atime);
        else
            zorakSetResult(interp, typeName(info.type), 0);
    }
    return OK;
}

const char* const kOnePath[] = {"dirname",  "tail",        "name",      "rootname",    "extension",
                                "split",    "pathcount",   "normalize", "-longname",   "-shortname",
                                "isroot",   "normal_path", "exists",    "isdirectory", "isfile",
                                "readable", "writable",    "writeable", "executable",  "unlink",
                                "resolve",  "pathstrip",   "file_crc",  "runtype",     "size",
                                "type",     "mtime",       "atime",     nullptr};

int zorakCommandFile(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* sub = argv[1];
    for (const char* const* name = kOnePath; *name; name++) {
        if (std::strcmp(sub, *name) != 0) continue;
        if (argc < 3) return zorakWrongArgs(interp, argc, argv);
        return onePath(interp, argc, argv);
    }
    if (std::strcmp(sub, "join") == 0) {
        if (argc < 3) return zorakWrongArgs(interp, argc, argv);
        std::vector<std::string> parts(argv + 2, argv + argc);
        std::vector<std::string> all;
        for (const std::string& part : parts) {
            if (!rootOf(part).empty()) all.clear();
            for (const std::string& piece : splitPath(part))
                all.push_back(piece);
        }
        zorakSetResult(interp, joinParts(all).c_str(), 0);
        return OK;
    }
    if (std::strcmp(sub, "volumes") == 0) {
        zorakSetResult(interp, listOf(platformVolumes()).c_str(), 0);
        return OK;
    }
    if (std::strcmp(sub, "exepath") == 0) {
        std::string path;
        if (!platformExecutablePath(&path)) path.clear();
        zorakSetResult(interp, path.c_str(), 0);
        return OK;
    }
    if (std::strcmp(sub, "stat") == 0) return fileStat(interp, argc, argv);
    if (std::strcmp(sub, "attributes") == 0) return fileAttributes(interp, argc, argv);
    if (std::strcmp(sub, "delete") == 0) return fileDelete(interp, argc, argv);
    if (std::strcmp(sub, "rename") == 0) return fileMove(interp, argc, argv, false);
    if (std::strcmp(sub, "copy") == 0) return fileMove(interp, argc, argv, true);
    if (std::strcmp(sub, "mkdir") == 0) return fileMkdir(interp, argc, argv);
    if (std::strcmp(sub, "seek") == 0) return fileSeek(interp, argc, argv);
    if (std::strcmp(sub, "open") == 0) return channel(zorakCommandOpen, interp, argc, argv);
    if (std::strcmp(sub, "close") == 0) return channel(zorakCommandClose, interp, argc, argv);
    if (std::strcmp(sub, "gets") == 0) return channel(zorakCommandGets, interp, argc, argv);
    if (std::strcmp(sub, "flush") == 0) return channel(zorakCommandFlush, interp, argc, argv);
    if (std::strcmp(sub, "rewind") == 0) return channel(zorakCommandRewind, interp, argc, argv);
    if (std::strcmp(sub, "tell") == 0) return channel(zorakCommandTell, interp, argc, argv);
    if (std::strcmp(sub, "eof") == 0) return channel(zorakCommandEof, interp, argc, argv);
    zorakReportError(interp, "%s: Invalid command '%s'\n", argv[0], sub);
    return ERROR;
}

} // namespace

std::string zorakNormalPath(const std::string& path) {
    std::string out;
    char sep = platformPathSeparator();
    for (char c : path) {
        char mapped = (c == '/' || c == '\\') ? sep : c;
        if (mapped == sep && !out.empty() && out.back() == sep) continue;
        out += mapped;
    }
    return out;
}

std::string zorakPathTail(const std::string& path) {
    return tailOf(path);
}

std::string zorakPathDirname(const std::string& path) {
    return dirnameOf(path);
}

std::string zorakPathJoin(const std::string& folder, const std::string& name) {
    return joinParts({folder, name});
}

std::vector<std::string> zorakPathSplit(const std::string& path) {
    return splitPath(path);
}

std::string zorakPathNormalize(const std::string& path) {
    return normalizePath(path);
}

bool zorakRemoveTree(const std::string& path) {
    return removeTree(path, 0);
}

void zorakRegisterFileCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "file", zorakCommandFile, nullptr, 0);
}

void zorakRegisterFileAndProcessCommands(Interpreter* interp) {
    zorakRegisterFileChannelCommands(interp);
    zorakRegisterFileCommand(interp);
    zorakRegisterProcessCommands(interp);
}
