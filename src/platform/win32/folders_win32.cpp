// Folders, disks, temporary files and shell links on Windows.
#include "platform/platform.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>

PlatformFileError platformLastFileError() {
    switch (GetLastError()) {
    case ERROR_SUCCESS:
        return PlatformFileError::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return PlatformFileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return PlatformFileError::Denied;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return PlatformFileError::Exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return PlatformFileError::DiskFull;
    case ERROR_DIR_NOT_EMPTY:
        return PlatformFileError::NotEmpty;
    case ERROR_DIRECTORY:
        return PlatformFileError::NotDirectory;
    case ERROR_NOT_SAME_DEVICE:
        return PlatformFileError::CrossDevice;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return PlatformFileError::NameTooLong;
    case ERROR_WRITE_PROTECT:
        return PlatformFileError::ReadOnly;
    default:
        return PlatformFileError::Other;
    }
}

bool platformChangeDirectory(const char* path) {
    return SetCurrentDirectoryA(path) != 0;
}

bool platformHomeDirectory(std::string* path) {
    const char* profile = std::getenv("USERPROFILE");
    if (profile && *profile) {
        *path = profile;
        return true;
    }
    const char* drive = std::getenv("HOMEDRIVE");
    const char* folder = std::getenv("HOMEPATH");
    if (!drive || !folder) return false;
    *path = std::string(drive) + folder;
    return true;
}

bool platformTempDirectory(std::string* path) {
    char buffer[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n > sizeof buffer) return false;
    *path = std::string(buffer, n);
    return true;
}

bool platformMakeTempEntry(const std::string& folder, const std::string& prefix, bool directory,
                           std::string* path) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string base = folder;
    if (!base.empty() && base.back() != '/' && base.back() != '\\') base += '\\';
    base += prefix;
    // The counter and clock seed differ between calls; a taken name makes
    // the creation fail and another is tried.
    static unsigned long counter = 0;
    unsigned long long seed =
        GetTickCount() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 20);
    for (int attempt = 0; attempt < 100; attempt++) {
        unsigned long long value = seed + 7919ULL * ++counter;
        std::string candidate = base;
        for (int i = 0; i < 8; i++) {
            candidate += kLetters[value % 36];
            value = value / 36 + 0x9E3779B9ULL * (i + 1);
        }
        bool made;
        if (directory) {
            made = CreateDirectoryA(candidate.c_str(), nullptr) != 0;
        } else {
            HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            made = file != INVALID_HANDLE_VALUE;
            if (made) CloseHandle(file);
        }
        if (made) {
            *path = candidate;
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

namespace {

bool identify(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(file, info) != 0;
    CloseHandle(file);
    return ok;
}

// The root of the volume that holds path ("C:\").
bool volumeOf(const char* path, std::string* root) {
    char full[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return false;
    char volume[MAX_PATH * 4];
    if (!GetVolumePathNameA(full, volume, sizeof volume)) return false;
    *root = volume;
    return true;
}

} // namespace

bool platformSameFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!identify(a, &first) || !identify(b, &second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

bool platformDiskSpace(const char* path, PlatformDiskSpace* space) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
    std::string root;
    if (!volumeOf(path, &root)) return false;
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return false;
    space->total = total.QuadPart;
    space->free = free.QuadPart;
    space->available = available.QuadPart;
    return true;
}

bool platformFileSystemName(const char* path, std::string* name) {
    std::string root;
    if (!volumeOf(path, &root)) return false;
    char system[MAX_PATH + 1];
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, system,
                               sizeof system))
        return false;
    *name = system;
    return true;
}

bool platformReadLink(const char* path, std::string* target) {
    size_t n = std::string(path).size();
    if (n < 4 || _stricmp(path + n - 4, ".lnk") != 0) return false;
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
    HRESULT started = CoInitialize(nullptr);
    bool found = false;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR wide[MAX_PATH * 4];
            if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH * 4) > 0 &&
                SUCCEEDED(file->Load(wide, STGM_READ))) {
                char buffer[MAX_PATH * 4];
                if (SUCCEEDED(link->GetPath(buffer, sizeof buffer, nullptr, 0)) && buffer[0]) {
                    *target = buffer;
                    found = true;
                }
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(started)) CoUninitialize();
    return found;
}
