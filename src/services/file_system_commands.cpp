// The disks that hold files: free space, the whole picture, and the kind of
// disk. Each takes any path on the disk (the working folder by default).
#include "services/folder_commands.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cstdlib>
#include <string>

namespace {

// The path a disk command asks about: the working folder by default, and a
// bare drive letter ("C", "C:") taken as that drive's root.
std::string diskPath(int argc, char** argv, int index) {
    if (argc <= index) return ".";
    std::string path = argv[index];
    bool letter = (path.size() == 1 || (path.size() == 2 && path[1] == ':')) &&
                  ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
    if (letter && platformPathSeparator() == '\\') return path.substr(0, 1) + ":/";
    return path;
}

bool readSpace(Interpreter* interp, char** argv, const std::string& path,
               PlatformDiskSpace* space) {
    if (platformDiskSpace(path.c_str(), space)) return true;
    zorakReportError(interp, "%s: Cannot read the disk of '%s': %s\n", argv[0], path.c_str(),
                     zorakFileErrorText(platformLastFileError()));
    return false;
}

void appendNumber(std::string* list, const char* name, uint64_t value) {
    zorakListAppendWord(list, name);
    char* text = zorakFormatUnsigned(value);
    zorakListAppendWord(list, text);
    std::free(text);
}

// diskfree ?path?: the bytes the user may still write there.
int zorakCommandDiskfree(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    PlatformDiskSpace space;
    if (!readSpace(interp, argv, diskPath(argc, argv, 1), &space)) return ERROR;
    char* text = zorakFormatUnsigned(space.available);
    zorakSetResult(interp, text, 0);
    std::free(text);
    return OK;
}

// diskstat ?path?: {total N free N available N used N filesystem NAME}.
int zorakCommandDiskstat(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    std::string path = diskPath(argc, argv, 1);
    PlatformDiskSpace space;
    if (!readSpace(interp, argv, path, &space)) return ERROR;
    std::string list, system;
    appendNumber(&list, "total", space.total);
    appendNumber(&list, "free", space.free);
    appendNumber(&list, "available", space.available);
    appendNumber(&list, "used", space.total >= space.free ? space.total - space.free : 0);
    zorakListAppendWord(&list, "filesystem");
    zorakListAppendWord(&list, platformFileSystemName(path.c_str(), &system) ? system : "unknown");
    zorakSetResult(interp, list.c_str(), 0);
    return OK;
}

// disktype ?path? ?-name?: the kind of disk in the Windows numbering, or
// its name with -name.
int zorakCommandDisktype(Interpreter* interp, int argc, char** argv, void*) {
    bool named = argc > 1 && zorakEqualNoCase(argv[argc - 1], "-name");
    int words = named ? argc - 1 : argc;
    if (words > 2) return zorakWrongArgs(interp, argc, argv);
    std::string path = diskPath(words, argv, 1), full;
    PlatformFileInfo info;
    if (!platformFileInfo(path.c_str(), true, &info) ||
        !platformFullPathName(path.c_str(), &full)) {
        zorakReportError(interp, "%s: Cannot read the disk of '%s': %s\n", argv[0], path.c_str(),
                         zorakFileErrorText(PlatformFileError::NotFound));
        return ERROR;
    }
    long type = platformDiskType(full.c_str());
    static const char* const kNames[] = {"unknown", "noroot", "removable", "fixed",
                                         "remote",  "cdrom",  "ramdisk"};
    if (named) {
        zorakSetResult(interp, type >= 0 && type <= 6 ? kNames[type] : "unknown", 0);
        return OK;
    }
    char* text = zorakFormatInt(type);
    zorakSetResult(interp, text, 0);
    std::free(text);
    return OK;
}

} // namespace

void zorakRegisterDiskCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "diskfree", zorakCommandDiskfree, nullptr, 0);
    zorakRegisterCommand(interp, "diskstat", zorakCommandDiskstat, nullptr, 0);
    zorakRegisterCommand(interp, "disktype", zorakCommandDisktype, nullptr, 0);
}
