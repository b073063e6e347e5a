// Files and folders as a shell knows them: the working folder (cd, pwd...),
// listing, making and removing folders, renaming, copying and moving files,
// and small facts about files (size, kind, MD5, where a link leads). A
// change that fails leaves what was there: copies are written beside the
// target and take its place only when complete, and nothing is replaced
// without -force.
#include "services/folder_commands.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "services/file_command.h"
#include "util/md5.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

const char* zorakFileErrorText(PlatformFileError error) {
    switch (error) {
    case PlatformFileError::NotFound:
        return "no such file or folder";
    case PlatformFileError::Denied:
        return "permission denied";
    case PlatformFileError::Exists:
        return "it exists already";
    case PlatformFileError::DiskFull:
        return "the disk is full";
    case PlatformFileError::NotEmpty:
        return "the folder is not empty";
    case PlatformFileError::IsDirectory:
        return "it is a folder";
    case PlatformFileError::NotDirectory:
        return "not a folder";
    case PlatformFileError::CrossDevice:
        return "it is on another disk";
    case PlatformFileError::NameTooLong:
        return "the name is too long";
    case PlatformFileError::ReadOnly:
        return "the disk is read-only";
    default:
        return "the system refused";
    }
}

namespace {

int succeed(Interpreter* interp, const char* result = "1") {
    zorakSetResult(interp, result, 0);
    return OK;
}

int setNumber(Interpreter* interp, int64_t value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
    return OK;
}

// "cmd: what 'path': reason", the reason read from the last failure.
int failWith(Interpreter* interp, const char* command, const char* what, const std::string& path,
             PlatformFileError why) {
    zorakReportError(interp, "%s: %s '%s': %s\n", command, what, path.c_str(),
                     zorakFileErrorText(why));
    return ERROR;
}

int failed(Interpreter* interp, const char* command, const char* what, const std::string& path) {
    return failWith(interp, command, what, path, platformLastFileError());
}

PlatformFileType typeOf(const std::string& path, bool follow = true) {
    PlatformFileInfo info;
    if (!platformFileInfo(path.c_str(), follow, &info)) return PlatformFileType::None;
    return info.type;
}

int notFound(Interpreter* interp, const char* command, const std::string& path) {
    zorakReportError(interp, "%s: File '%s' not found\n", command, path.c_str());
    return ERROR;
}

// Options anywhere after the command word: the words that are options are
// taken out, the rest kept in order. An unknown option is an error.
struct Options {
    std::vector<std::string> words;
    bool force = false, nocomplain = false, all = false, longForm = false, directory = false,
         resolve = false;
    std::string in;
};

bool takeOptions(Interpreter* interp, int argc, char** argv, const char* allowed,
                 Options* options) {
    for (int i = 1; i < argc; i++) {
        const char* word = argv[i];
        if (word[0] != '-' || word[1] == '\0') {
            options->words.push_back(word);
            continue;
        }
        std::string name = word + 1;
        for (char& c : name)
            c = zorakLowerAscii(c);
        bool known = std::strstr(allowed, (" " + name + " ").c_str()) != nullptr;
        if (known && name == "force")
            options->force = true;
        else if (known && name == "nocomplain")
            options->nocomplain = true;
        else if (known && name == "all")
            options->all = true;
        else if (known && name == "l")
            options->longForm = true;
        else if (known && name == "dir")
            options->directory = true;
        else if (known && name == "resolve")
            options->resolve = true;
        else if (known && name == "in" && i + 1 < argc)
            options->in = argv[++i];
        else {
            zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], word);
            return false;
        }
    }
    return true;
}

// ---- The working folder ----

int changeTo(Interpreter* interp, const char* command, const std::string& folder) {
    if (!platformChangeDirectory(folder.c_str()))
        return failed(interp, command, "Cannot change to folder", folder);
    return succeed(interp, "");
}

// cd ?folder?: without a folder, the user's home folder.
int zorakCommandCd(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    std::string folder;
    if (argc == 2) {
        folder = argv[1];
    } else if (!platformHomeDirectory(&folder)) {
        zorakReportError(interp, "%s: The home folder is not known\n", argv[0]);
        return ERROR;
    }
    return changeTo(interp, argv[0], folder);
}

int zorakCommandCdUp(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    return changeTo(interp, argv[0], "..");
}

// pwd gives forward slashes on every system; getcwd the system's own form.
int currentFolder(Interpreter* interp, int argc, char** argv, bool forward) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    std::string folder;
    if (!platformCurrentDirectory(&folder)) {
        zorakReportError(interp, "%s: The working folder cannot be read\n", argv[0]);
        return ERROR;
    }
    if (forward) std::replace(folder.begin(), folder.end(), '\\', '/');
    return succeed(interp, folder.c_str());
}

int zorakCommandPwd(Interpreter* interp, int argc, char** argv, void*) {
    return currentFolder(interp, argc, argv, true);
}

int zorakCommandGetcwd(Interpreter* interp, int argc, char** argv, void*) {
    return currentFolder(interp, argc, argv, false);
}

// ---- Listing ----

const char* kindName(PlatformFileType type) {
    switch (type) {
    case PlatformFileType::File:
        return "file";
    case PlatformFileType::Directory:
        return "directory";
    case PlatformFileType::Link:
        return "link";
    case PlatformFileType::None:
        return "unknown";
    default:
        return "special";
    }
}

// ls ?-all? ?-l? ?folder|pattern?: the names in a folder, sorted; a last
// part with wildcards picks names. Names beginning with "." show with -all.
// With -l each entry is {name kind size}.
int zorakCommandLs(Interpreter* interp, int argc, char** argv, void*) {
    Options options;
    if (!takeOptions(interp, argc, argv, " all l ", &options)) return ERROR;
    if (options.words.size() > 1) return zorakWrongArgs(interp, argc, argv);
    std::string folder = options.words.empty() ? "." : options.words[0];
    std::string pattern = "*";
    if (typeOf(folder) != PlatformFileType::Directory) {
        std::string tail = zorakPathTail(folder);
        if (tail.find_first_of("*?") == std::string::npos) {
            if (typeOf(folder) == PlatformFileType::None) return notFound(interp, argv[0], folder);
            // A single file lists itself.
            pattern = tail;
        } else {
            pattern = tail;
        }
        folder = zorakPathDirname(folder);
    }
    std::vector<std::string> names;
    if (!platformListDirectory(folder.c_str(), &names))
        return failed(interp, argv[0], "Cannot list folder", folder);
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& name : names) {
        if (name[0] == '.' && !options.all && pattern[0] != '.') continue;
        if (!zorakWildcardMatch(pattern, name, platformPathSeparator() == '\\')) continue;
        if (!options.longForm) {
            zorakListAppendWord(&out, name);
            continue;
        }
        PlatformFileInfo info;
        std::string path = folder == "." ? name : zorakPathJoin(folder, name);
        bool known = platformFileInfo(path.c_str(), false, &info);
        std::string entry;
        zorakListAppendWord(&entry, name);
        zorakListAppendWord(&entry, kindName(known ? info.type : PlatformFileType::None));
        char* size = zorakFormatUnsigned(known ? info.size : 0);
        zorakListAppendWord(&entry, size);
        std::free(size);
        zorakListAppendWord(&out, entry);
    }
    return succeed(interp, out.c_str());
}

// ---- Making and removing ----

// mkdir and md make one level; the folder must not exist and its parent
// must. mkdirs makes every missing level and takes an existing folder.
int makeFolders(Interpreter* interp, int argc, char** argv, bool everyLevel) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    for (int i = 1; i < argc; i++) {
        if (!everyLevel) {
            if (!platformMakeDirectory(argv[i]))
                return failed(interp, argv[0], "Cannot create folder", argv[i]);
            continue;
        }
        std::vector<std::string> parts = zorakPathSplit(argv[i]);
        std::string path;
        for (const std::string& part : parts) {
            path = path.empty() ? part : zorakPathJoin(path, part);
            PlatformFileType type = typeOf(path);
            if (type == PlatformFileType::Directory) continue;
            if (type != PlatformFileType::None)
                return failWith(interp, argv[0], "Cannot create folder", path,
                                PlatformFileError::Exists);
            if (!platformMakeDirectory(path.c_str()))
                return failed(interp, argv[0], "Cannot create folder", path);
        }
    }
    return succeed(interp);
}

int zorakCommandMkdir(Interpreter* interp, int argc, char** argv, void*) {
    return makeFolders(interp, argc, argv, false);
}

int zorakCommandMkdirs(Interpreter* interp, int argc, char** argv, void*) {
    return makeFolders(interp, argc, argv, true);
}

// rmdir folder ... ?-force? ?-nocomplain?: empty folders, or with -force
// everything in them too.
int zorakCommandRmdir(Interpreter* interp, int argc, char** argv, void*) {
    Options options;
    if (!takeOptions(interp, argc, argv, " force nocomplain ", &options)) return ERROR;
    if (options.words.empty()) return zorakWrongArgs(interp, argc, argv);
    for (const std::string& folder : options.words) {
        PlatformFileType type = typeOf(folder, false);
        if (type == PlatformFileType::None) {
            if (options.nocomplain) continue;
            zorakReportError(interp, "%s: Folder '%s' not found\n", argv[0], folder.c_str());
            return ERROR;
        }
        if (type != PlatformFileType::Directory) {
            zorakReportError(interp, "%s: '%s' is not a folder\n", argv[0], folder.c_str());
            return ERROR;
        }
        bool removed =
            options.force ? zorakRemoveTree(folder) : platformRemoveDirectory(folder.c_str());
        if (!removed) return failed(interp, argv[0], "Cannot remove folder", folder);
    }
    return succeed(interp);
}

// unlink file ... ?-nocomplain?: files and links, never folders; the
// result is the count removed.
int zorakCommandUnlink(Interpreter* interp, int argc, char** argv, void*) {
    Options options;
    if (!takeOptions(interp, argc, argv, " nocomplain ", &options)) return ERROR;
    if (options.words.empty()) return zorakWrongArgs(interp, argc, argv);
    int64_t removed = 0;
    for (const std::string& file : options.words) {
        PlatformFileType type = typeOf(file, false);
        if (type == PlatformFileType::None) {
            if (options.nocomplain) continue;
            return notFound(interp, argv[0], file);
        }
        if (type == PlatformFileType::Directory)
            return failWith(interp, argv[0], "Cannot remove", file, PlatformFileError::IsDirectory);
        if (!platformRemoveFile(file.c_str()))
            return failed(interp, argv[0], "Cannot remove", file);
        removed++;
    }
    return setNumber(interp, removed);
}

// ---- Renaming, copying and moving ----

// Copies a file so that a failure part way (a full disk) leaves no partial
// file and an existing target untouched: the bytes go to a new file beside
// the target, which then takes the target's place. A target that is no
// plain file (a device) is written directly.
bool copyWhole(const std::string& from, const std::string& to, PlatformFileError* why) {
    PlatformFileType target = typeOf(to);
    if (target != PlatformFileType::None && target != PlatformFileType::File) {
        if (platformCopyFile(from.c_str(), to.c_str())) return true;
        *why = platformLastFileError();
        return false;
    }
    std::string temp;
    if (!platformMakeTempEntry(zorakPathDirname(to), ".zorak-copy-", false, &temp)) {
        *why = platformLastFileError();
        return false;
    }
    if (platformCopyFile(from.c_str(), temp.c_str()) &&
        platformRenameFile(temp.c_str(), to.c_str()))
        return true;
    *why = platformLastFileError();
    platformRemoveFile(temp.c_str());
    return false;
}

enum class Transfer { Rename, Copy, Move };

// ren, copyfile and movefile: from to ?-force?. copyfile and movefile put
// a file into a target folder under its own name; ren takes the new name
// as given. An existing target is replaced only with -force, a folder never.
int transfer(Interpreter* interp, int argc, char** argv, Transfer kind) {
    Options options;
    if (!takeOptions(interp, argc, argv, " force ", &options)) return ERROR;
    if (options.words.size() != 2) return zorakWrongArgs(interp, argc, argv);
    const char* command = argv[0];
    std::string from = options.words[0], to = options.words[1];
    PlatformFileType source = typeOf(from, false);
    if (source == PlatformFileType::None) return notFound(interp, command, from);
    if (kind == Transfer::Copy && typeOf(from) == PlatformFileType::Directory)
        return failWith(interp, command, "Cannot copy", from, PlatformFileError::IsDirectory);
    if (kind != Transfer::Rename && typeOf(to) == PlatformFileType::Directory)
        to = zorakPathJoin(to, zorakPathTail(from));
    bool same = platformSameFile(from.c_str(), to.c_str());
    if (same && (kind == Transfer::Copy || from == to)) {
        if (kind != Transfer::Copy) return succeed(interp);
        zorakReportError(interp, "%s: '%s' and '%s' are the same file\n", command, from.c_str(),
                         to.c_str());
        return ERROR;
    }
    PlatformFileType target = typeOf(to, false);
    if (target != PlatformFileType::None && !same) {
        if (target == PlatformFileType::Directory || !options.force) {
            zorakReportError(interp, "%s: Target '%s' already exists\n", command, to.c_str());
            return ERROR;
        }
    }
    PlatformFileError why = PlatformFileError::None;
    if (kind == Transfer::Copy) {
        if (!copyWhole(from, to, &why)) return failWith(interp, command, "Cannot copy to", to, why);
        return succeed(interp);
    }
    if (platformRenameFile(from.c_str(), to.c_str())) return succeed(interp);
    why = platformLastFileError();
    // Another disk: a file is copied whole, and only then is the source
    // removed.
    if (why != PlatformFileError::CrossDevice || kind == Transfer::Rename ||
        source != PlatformFileType::File)
        return failWith(interp, command, kind == Transfer::Rename ? "Cannot rename" : "Cannot move",
                        from, why);
    if (!copyWhole(from, to, &why)) return failWith(interp, command, "Cannot move to", to, why);
    if (!platformRemoveFile(from.c_str()))
        return failed(interp, command, "Copied, but cannot remove the source", from);
    return succeed(interp);
}

int zorakCommandRen(Interpreter* interp, int argc, char** argv, void*) {
    return transfer(interp, argc, argv, Transfer::Rename);
}

int zorakCommandCopyfile(Interpreter* interp, int argc, char** argv, void*) {
    return transfer(interp, argc, argv, Transfer::Copy);
}

int zorakCommandMovefile(Interpreter* interp, int argc, char** argv, void*) {
    return transfer(interp, argc, argv, Transfer::Move);
}

// ---- Facts about files ----

int zorakCommandFilesize(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    PlatformFileInfo info;
    if (!platformFileInfo(argv[1], true, &info)) return notFound(interp, argv[0], argv[1]);
    if (info.type == PlatformFileType::Directory)
        return failWith(interp, argv[0], "No size for", argv[1], PlatformFileError::IsDirectory);
    return setNumber(interp, static_cast<int64_t>(info.size));
}

int isKind(Interpreter* interp, int argc, char** argv, PlatformFileType kind) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    return succeed(interp, typeOf(argv[1]) == kind ? "1" : "0");
}

int zorakCommandIsDir(Interpreter* interp, int argc, char** argv, void*) {
    return isKind(interp, argc, argv, PlatformFileType::Directory);
}

int zorakCommandIsFile(Interpreter* interp, int argc, char** argv, void*) {
    return isKind(interp, argc, argv, PlatformFileType::File);
}

// The digest is taken in pieces, so a file of any size needs little memory.
int zorakCommandMd5File(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    PlatformFileType type = typeOf(argv[1]);
    if (type == PlatformFileType::None) return notFound(interp, argv[0], argv[1]);
    if (type == PlatformFileType::Directory)
        return failWith(interp, argv[0], "Cannot read", argv[1], PlatformFileError::IsDirectory);
    FILE* stream = platformOpenStream(argv[1], "rb");
    if (!stream) return failed(interp, argv[0], "Cannot read", argv[1]);
    Md5Context context;
    zorakMd5Init(&context);
    std::vector<char> buffer(65536);
    size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), stream)) > 0)
        zorakMd5Update(&context, buffer.data(), got);
    bool readFailed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (readFailed) return failed(interp, argv[0], "Cannot read", argv[1]);
    uint8_t digest[16];
    zorakMd5Final(&context, digest);
    char hex[33];
    for (int i = 0; i < 16; i++)
        std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
    return succeed(interp, hex);
}

int zorakCommandNormalPath(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    return succeed(interp, zorakNormalPath(argv[1]).c_str());
}

// link_to_path link ?-resolve?: where a link leads, as stored in it; with
// -resolve, the full path at the end of every link.
int zorakCommandLinkToPath(Interpreter* interp, int argc, char** argv, void*) {
    Options options;
    if (!takeOptions(interp, argc, argv, " resolve ", &options)) return ERROR;
    if (options.words.size() != 1) return zorakWrongArgs(interp, argc, argv);
    const std::string& link = options.words[0];
    std::string target;
    if (!platformReadLink(link.c_str(), &target)) {
        if (typeOf(link, false) == PlatformFileType::None) return notFound(interp, argv[0], link);
        zorakReportError(interp, "%s: '%s' is not a link\n", argv[0], link.c_str());
        return ERROR;
    }
    if (options.resolve) {
        std::string full;
        if (!platformResolvePath(link.c_str(), &full))
            return failed(interp, argv[0], "Cannot follow link", link);
        target = full;
    }
    return succeed(interp, target.c_str());
}

// mktemp ?prefix? ?-dir? ?-in folder?: makes a new empty file (a folder
// with -dir) with a name no other file has, in the temporary folder unless
// -in names another, and answers its path.
int zorakCommandMktemp(Interpreter* interp, int argc, char** argv, void*) {
    Options options;
    if (!takeOptions(interp, argc, argv, " dir in ", &options)) return ERROR;
    if (options.words.size() > 1) return zorakWrongArgs(interp, argc, argv);
    std::string prefix = options.words.empty() ? "zorak" : options.words[0];
    if (prefix.find_first_of("/\\") != std::string::npos) {
        zorakReportError(interp, "%s: The prefix '%s' holds a folder separator\n", argv[0],
                         prefix.c_str());
        return ERROR;
    }
    std::string folder = options.in;
    if (folder.empty() && !platformTempDirectory(&folder)) {
        zorakReportError(interp, "%s: The temporary folder is not known\n", argv[0]);
        return ERROR;
    }
    std::string path;
    if (!platformMakeTempEntry(folder, prefix, options.directory, &path))
        return failed(interp, argv[0], "Cannot create a file in", folder);
    return succeed(interp, path.c_str());
}

} // namespace

void zorakRegisterFolderCommands(Interpreter* interp) {
    struct Row {
        const char* name;
        CommandHandler handler;
    };
    static const Row kRows[] = {
        {"cd", zorakCommandCd},
        {"cd..", zorakCommandCdUp},
        {"chdir", zorakCommandCd},
        {"copyfile", zorakCommandCopyfile},
        {"filesize", zorakCommandFilesize},
        {"getcwd", zorakCommandGetcwd},
        {"is_dir", zorakCommandIsDir},
        {"is_file", zorakCommandIsFile},
        {"link_to_path", zorakCommandLinkToPath},
        {"ls", zorakCommandLs},
        {"md", zorakCommandMkdir},
        {"md5_file", zorakCommandMd5File},
        {"mkdir", zorakCommandMkdir},
        {"mkdirs", zorakCommandMkdirs},
        {"mktemp", zorakCommandMktemp},
        {"movefile", zorakCommandMovefile},
        {"normal_path", zorakCommandNormalPath},
        {"pwd", zorakCommandPwd},
        {"ren", zorakCommandRen},
        {"rmdir", zorakCommandRmdir},
        {"unlink", zorakCommandUnlink},
    };
    for (const Row& row : kRows)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
    zorakRegisterDiskCommands(interp);
    zorakRegisterGlobCommand(interp);
    zorakRegisterDesktopCommands(interp);
}
