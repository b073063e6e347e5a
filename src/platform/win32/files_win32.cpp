// Files and folders on Windows: attributes, folders, renames, copies and the
// drive roots.
#include "platform/platform.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <io.h>
#include <string>
#include <vector>

namespace {

// 100-nanosecond intervals since 1601 as seconds since 1970.
int64_t unixSeconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<int64_t>(value.QuadPart / 10000000ULL) - 11644473600LL;
}

bool endsWithAny(const char* path, const char* const* extensions) {
    size_t n = std::strlen(path);
    for (const char* const* e = extensions; *e; e++) {
        size_t m = std::strlen(*e);
        if (n >= m && _stricmp(path + n - m, *e) == 0) return true;
    }
    return false;
}

} // namespace

bool platformFileInfo(const char* path, bool, PlatformFileInfo* info) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    static const char* const links[] = {".lnk", nullptr};
    info->type = directory                  ? PlatformFileType::Directory
                 : endsWithAny(path, links) ? PlatformFileType::Link
                                            : PlatformFileType::File;
    info->size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info->atime = unixSeconds(data.ftLastAccessTime);
    info->mtime = unixSeconds(data.ftLastWriteTime);
    info->ctime = unixSeconds(data.ftCreationTime);
    uint32_t permissions = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    static const char* const programs[] = {".com", ".exe", ".bat", ".cmd", nullptr};
    if (directory || endsWithAny(path, programs)) permissions |= 0111;
    info->mode = (directory ? 0040000 : 0100000) | permissions;
    info->nlink = 1;
    info->uid = info->gid = 0;
    // The drive: 0 for A, 2 for C, as the runtime numbers them.
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    info->dev = info->rdev = (n > 1 && n < sizeof full && full[1] == ':')
                                 ? static_cast<uint64_t>((full[0] | 0x20) - 'a')
                                 : 0;
    info->ino = 0;
    return true;
}

bool platformFileAccess(const char* path, int access) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if ((access & kAccessWrite) && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    if (access & kAccessExecute) {
        static const char* const programs[] = {".com", ".exe", ".bat", ".cmd", nullptr};
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && !endsWithAny(path, programs)) return false;
    }
    return true;
}

bool platformMakeDirectory(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0;
}

bool platformRemoveFile(const char* path) {
    return DeleteFileA(path) != 0;
}

bool platformRemoveDirectory(const char* path) {
    return RemoveDirectoryA(path) != 0;
}

bool platformRenameFile(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

bool platformCopyFile(const char* from, const char* to) {
    return CopyFileA(from, to, FALSE) != 0;
}

bool platformListDirectory(const char* path, std::vector<std::string>* names) {
    std::string pattern = path;
    if (!pattern.empty() && pattern.back() != '/' && pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    names->clear();
    do {
        if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
            continue;
        names->push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool platformSetFileTime(const char* path, bool modified, int64_t seconds) {
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME time;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    bool ok =
        SetFileTime(file, nullptr, modified ? nullptr : &time, modified ? &time : nullptr) != 0;
    CloseHandle(file);
    return ok;
}

bool platformResolvePath(const char* path, std::string* resolved) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
    DWORD n = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (n == 0) return false;
    std::string full(n, '\0');
    n = GetFullPathNameA(path, static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (n == 0 || n >= full.size()) return false;
    full.resize(n);
    *resolved = full;
    return true;
}

bool platformGetAttributes(const char* path, uint32_t* attributes) {
    DWORD found = GetFileAttributesA(path);
    if (found == INVALID_FILE_ATTRIBUTES) return false;
    *attributes =
        found & (kAttributeReadonly | kAttributeHidden | kAttributeSystem | kAttributeArchive);
    return true;
}

bool platformSetAttribute(const char* path, uint32_t attribute, bool on) {
    DWORD found = GetFileAttributesA(path);
    if (found == INVALID_FILE_ATTRIBUTES) return false;
    DWORD changed = on ? (found | attribute) : (found & ~static_cast<DWORD>(attribute));
    if (changed == 0) changed = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(path, changed) != 0;
}

std::vector<std::string> platformVolumes() {
    std::vector<std::string> roots;
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; i++) {
        if (!(drives & (1u << i))) continue;
        std::string root;
        root += static_cast<char>('A' + i);
        root += ":/";
        roots.push_back(root);
    }
    return roots;
}

bool platformIsAbsolutePath(const char* path) {
    if (!path) return false;
    if (path[0] == '/' || path[0] == '\\') return true;
    return ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
           (path[2] == '/' || path[2] == '\\');
}

FILE* platformOpenStream(const char* path, const char* mode) {
    return std::fopen(path, mode);
}

int64_t platformStreamTell(FILE* stream) {
    return _ftelli64(stream);
}

bool platformStreamSeek(FILE* stream, int64_t offset, int origin) {
    return _fseeki64(stream, offset, origin) == 0;
}
