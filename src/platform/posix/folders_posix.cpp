// Folders, disks and temporary files on Linux.
#include "platform/platform.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

PlatformFileError platformLastFileError() {
    switch (errno) {
    case 0:
        return PlatformFileError::None;
    case ENOENT:
        return PlatformFileError::NotFound;
    case EACCES:
    case EPERM:
        return PlatformFileError::Denied;
    case EEXIST:
        return PlatformFileError::Exists;
    case ENOSPC:
    case EDQUOT:
        return PlatformFileError::DiskFull;
    case ENOTEMPTY:
        return PlatformFileError::NotEmpty;
    case EISDIR:
        return PlatformFileError::IsDirectory;
    case ENOTDIR:
        return PlatformFileError::NotDirectory;
    case EXDEV:
        return PlatformFileError::CrossDevice;
    case ENAMETOOLONG:
        return PlatformFileError::NameTooLong;
    case EROFS:
        return PlatformFileError::ReadOnly;
    default:
        return PlatformFileError::Other;
    }
}

bool platformChangeDirectory(const char* path) {
    return ::chdir(path) == 0;
}

bool platformHomeDirectory(std::string* path) {
    const char* home = std::getenv("HOME");
    if (home && *home) {
        *path = home;
        return true;
    }
    struct passwd* entry = ::getpwuid(::getuid());
    if (!entry || !entry->pw_dir) return false;
    *path = entry->pw_dir;
    return true;
}

bool platformTempDirectory(std::string* path) {
    const char* folder = std::getenv("TMPDIR");
    *path = folder && *folder ? folder : "/tmp";
    return true;
}

bool platformMakeTempEntry(const std::string& folder, const std::string& prefix, bool directory,
                           std::string* path) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::mt19937 generator(device());
    std::uniform_int_distribution<int> pick(0, 35);
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    base += prefix;
    // A name taken between our choice and the creation makes the creation
    // fail with EEXIST; another name is tried.
    for (int attempt = 0; attempt < 100; attempt++) {
        std::string candidate = base;
        for (int i = 0; i < 8; i++)
            candidate += kLetters[pick(generator)];
        int made;
        if (directory) {
            made = ::mkdir(candidate.c_str(), 0700);
        } else {
            made = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (made >= 0) made = ::close(made);
        }
        if (made == 0) {
            *path = candidate;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

bool platformSameFile(const char* a, const char* b) {
    struct stat first, second;
    if (::stat(a, &first) != 0 || ::stat(b, &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool platformDiskSpace(const char* path, PlatformDiskSpace* space) {
    struct statvfs info;
    if (::statvfs(path, &info) != 0) return false;
    uint64_t unit = info.f_frsize ? info.f_frsize : info.f_bsize;
    space->total = static_cast<uint64_t>(info.f_blocks) * unit;
    space->free = static_cast<uint64_t>(info.f_bfree) * unit;
    space->available = static_cast<uint64_t>(info.f_bavail) * unit;
    return true;
}

bool platformFileSystemName(const char* path, std::string* name) {
    struct statfs info;
    if (::statfs(path, &info) != 0) return false;
    struct Known {
        unsigned long magic;
        const char* name;
    };
    static const Known kKnown[] = {
        {0xEF53, "ext4"},      {0x9123683E, "btrfs"},   {0x58465342, "xfs"},
        {0x01021994, "tmpfs"}, {0x794C7630, "overlay"}, {0x6969, "nfs"},
        {0xFF534D42, "cifs"},  {0x4d44, "vfat"},        {0x5346544e, "ntfs"},
        {0x9fa0, "proc"},      {0x62656572, "sysfs"},   {0x9660, "iso9660"},
        {0x65735546, "fuse"},  {0x858458f6, "ramfs"},   {0x2fc12fc1, "zfs"},
        {0x1021994, "tmpfs"},  {0x73717368, "squashfs"}};
    unsigned long magic = static_cast<unsigned long>(info.f_type) & 0xFFFFFFFFul;
    for (const Known& known : kKnown) {
        if (known.magic == magic) {
            *name = known.name;
            return true;
        }
    }
    *name = "unknown";
    return true;
}

bool platformReadLink(const char* path, std::string* target) {
    struct stat info;
    if (::lstat(path, &info) != 0 || !S_ISLNK(info.st_mode)) return false;
    std::string buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
    ssize_t got = ::readlink(path, &buffer[0], buffer.size());
    if (got < 0) return false;
    buffer.resize(static_cast<size_t>(got));
    *target = buffer;
    return true;
}
