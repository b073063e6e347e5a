// Files and folders on Linux: stat, access, folders, renames, copies and the
// mount table.
#include "platform/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

PlatformFileType typeOf(mode_t mode) {
    if (S_ISREG(mode)) return PlatformFileType::File;
    if (S_ISDIR(mode)) return PlatformFileType::Directory;
    if (S_ISLNK(mode)) return PlatformFileType::Link;
    if (S_ISCHR(mode)) return PlatformFileType::CharDevice;
    if (S_ISBLK(mode)) return PlatformFileType::BlockDevice;
    if (S_ISFIFO(mode)) return PlatformFileType::Fifo;
    if (S_ISSOCK(mode)) return PlatformFileType::Socket;
    return PlatformFileType::None;
}

// The last part of a path, for the dot-file test.
const char* lastPart(const char* path) {
    const char* end = path + std::strlen(path);
    while (end > path + 1 && end[-1] == '/')
        end--;
    const char* start = end;
    while (start > path && start[-1] != '/')
        start--;
    return start;
}

} // namespace

bool platformFileInfo(const char* path, bool follow, PlatformFileInfo* info) {
    struct stat st;
    if ((follow ? stat(path, &st) : lstat(path, &st)) != 0) return false;
    info->type = typeOf(st.st_mode);
    info->size = static_cast<uint64_t>(st.st_size);
    info->atime = st.st_atime;
    info->mtime = st.st_mtime;
    info->ctime = st.st_ctime;
    info->mode = st.st_mode;
    info->nlink = static_cast<uint32_t>(st.st_nlink);
    info->uid = st.st_uid;
    info->gid = st.st_gid;
    info->dev = st.st_dev;
    info->rdev = st.st_rdev;
    info->ino = st.st_ino;
    return true;
}

bool platformFileAccess(const char* path, int access_wanted) {
    int mode = 0;
    if (access_wanted & kAccessRead) mode |= R_OK;
    if (access_wanted & kAccessWrite) mode |= W_OK;
    if (access_wanted & kAccessExecute) mode |= X_OK;
    return access(path, mode ? mode : F_OK) == 0;
}

bool platformMakeDirectory(const char* path) {
    return mkdir(path, 0777) == 0;
}

bool platformRemoveFile(const char* path) {
    return unlink(path) == 0;
}

bool platformRemoveDirectory(const char* path) {
    return rmdir(path) == 0;
}

bool platformRenameFile(const char* from, const char* to) {
    return rename(from, to) == 0;
}

bool platformCopyFile(const char* from, const char* to) {
    int in = open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st;
    if (fstat(in, &st) != 0) {
        close(in);
        return false;
    }
    int out = open(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, st.st_mode & 07777);
    if (out < 0) {
        close(in);
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        ssize_t got = read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        for (ssize_t done = 0; done < got;) {
            ssize_t put = write(out, buffer + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                ok = false;
                break;
            }
            done += put;
        }
        if (!ok) break;
    }
    close(in);
    if (close(out) != 0) ok = false;
    if (ok) fchmodat(AT_FDCWD, to, st.st_mode & 07777, 0);
    return ok;
}

bool platformListDirectory(const char* path, std::vector<std::string>* names) {
    DIR* dir = opendir(path);
    if (!dir) return false;
    names->clear();
    while (struct dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        names->push_back(entry->d_name);
    }
    closedir(dir);
    return true;
}

bool platformSetFileTime(const char* path, bool modified, int64_t seconds) {
    struct timespec times[2];
    times[0].tv_nsec = times[1].tv_nsec = UTIME_OMIT;
    struct timespec& set = times[modified ? 1 : 0];
    set.tv_sec = static_cast<time_t>(seconds);
    set.tv_nsec = 0;
    return utimensat(AT_FDCWD, path, times, 0) == 0;
}

bool platformResolvePath(const char* path, std::string* resolved) {
    char* full = realpath(path, nullptr);
    if (!full) return false;
    *resolved = full;
    std::free(full);
    return true;
}

bool platformGetAttributes(const char* path, uint32_t* attributes) {
    struct stat st;
    if (lstat(path, &st) != 0) return false;
    *attributes = 0;
    if (!(st.st_mode & S_IWUSR)) *attributes |= kAttributeReadonly;
    if (lastPart(path)[0] == '.' && std::strcmp(lastPart(path), ".") != 0 &&
        std::strcmp(lastPart(path), "..") != 0)
        *attributes |= kAttributeHidden;
    return true;
}

bool platformSetAttribute(const char* path, uint32_t attribute, bool on) {
    if (attribute != kAttributeReadonly) return false;
    struct stat st;
    if (stat(path, &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    // Read-only takes every write permission away; writable gives the owner's
    // back.
    mode = on ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return chmod(path, mode) == 0;
}

std::vector<std::string> platformVolumes() {
    // The root comes first even where the mount table does not show it (in
    // some containers).
    std::vector<std::string> points{"/"};
    FILE* mounts = std::fopen("/proc/self/mounts", "re");
    if (!mounts) return points;
    std::string line;
    int c;
    while ((c = std::fgetc(mounts)) != EOF || !line.empty()) {
        if (c != '\n' && c != EOF) {
            line += static_cast<char>(c);
            continue;
        }
        // device mount-point type options ...: the second field, with the
        // table's octal escapes (\040 for a blank) decoded.
        size_t start = line.find(' ');
        size_t end = start == std::string::npos ? start : line.find(' ', start + 1);
        if (end != std::string::npos) {
            std::string field = line.substr(start + 1, end - start - 1), point;
            for (size_t i = 0; i < field.size(); i++) {
                if (field[i] == '\\' && i + 3 < field.size() + 0 && field[i + 1] >= '0' &&
                    field[i + 1] <= '3') {
                    point += static_cast<char>((field[i + 1] - '0') * 64 +
                                               (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
                    i += 3;
                } else {
                    point += field[i];
                }
            }
            bool seen = false;
            for (const std::string& known : points)
                if (known == point) seen = true;
            if (!seen) points.push_back(point);
        }
        line.clear();
        if (c == EOF) break;
    }
    std::fclose(mounts);
    return points;
}

bool platformIsAbsolutePath(const char* path) {
    return path && path[0] == '/';
}

FILE* platformOpenStream(const char* path, const char* mode) {
    // "e": closed on exec, so a spawned child holds none of our files.
    std::string withCloseOnExec = std::string(mode) + "e";
    return std::fopen(path, withCloseOnExec.c_str());
}

int64_t platformStreamTell(FILE* stream) {
    return static_cast<int64_t>(ftello(stream));
}

bool platformStreamSeek(FILE* stream, int64_t offset, int origin) {
    return fseeko(stream, static_cast<off_t>(offset), origin) == 0;
}
