// System information on Linux: uname and /etc/os-release for the version,
// /proc/meminfo and sysinfo for memory, /proc/mounts and statvfs for disks,
// /sys/class/net, getifaddrs and /proc/net/route for the adapters.
#include "platform/platform.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <grp.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

// The first line of a small file under /proc or /sys, without its line end.
bool readLine(const std::string& path, std::string* line) {
    std::ifstream in(path);
    if (!in || !std::getline(in, *line)) return false;
    while (!line->empty() && (line->back() == '\n' || line->back() == '\r'))
        line->pop_back();
    return true;
}

// The value of KEY=value in /etc/os-release, quotes removed.
std::string osReleaseValue(const char* key) {
    std::ifstream in("/etc/os-release");
    if (!in) in.open("/usr/lib/os-release");
    std::string line;
    std::string prefix = std::string(key) + "=";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        std::string value = line.substr(prefix.size());
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return "";
}

// Figures of /proc/meminfo in bytes, by key ("MemTotal").
bool meminfoValue(const char* key, uint64_t* bytes) {
    std::ifstream in("/proc/meminfo");
    std::string name;
    unsigned long long value = 0;
    std::string unit;
    std::string line;
    size_t keyLength = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, keyLength, key) != 0 || line.size() <= keyLength ||
            line[keyLength] != ':')
            continue;
        std::istringstream fields(line.substr(keyLength + 1));
        if (!(fields >> value)) return false;
        fields >> unit;
        *bytes = unit == "kB" ? value * 1024ull : value;
        return true;
    }
    return false;
}

// "/proc/mounts" escapes blanks, tabs, line ends and backslashes as octal.
std::string unescapeMountField(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); i++) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3') {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

struct MountEntry {
    std::string device;
    std::string point;
    std::string type;
};

std::vector<MountEntry> mounts() {
    std::vector<MountEntry> entries;
    std::ifstream in("/proc/mounts");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        MountEntry entry;
        if (!(fields >> entry.device >> entry.point >> entry.type)) continue;
        entry.device = unescapeMountField(entry.device);
        entry.point = unescapeMountField(entry.point);
        entries.push_back(entry);
    }
    return entries;
}

bool oneOf(const std::string& word, const char* const* list) {
    for (; *list; list++)
        if (word == *list) return true;
    return false;
}

// A block device is removable when its disk says so (/dev/sdb1 -> sdb).
bool removableDevice(const std::string& device) {
    std::string name = device.substr(device.rfind('/') + 1);
    while (!name.empty()) {
        std::string flag;
        if (readLine("/sys/block/" + name + "/removable", &flag)) return flag == "1";
        name.pop_back();
    }
    return false;
}

// The drive type of one mounted file system, in the Windows numbering.
long mountType(const MountEntry& entry) {
    static const char* const remote[] = {"nfs", "nfs4", "cifs", "smb3",      "smbfs", "sshfs",
                                         "9p",  "afs",  "ceph", "glusterfs", "davfs", nullptr};
    static const char* const optical[] = {"iso9660", "udf", nullptr};
    static const char* const ram[] = {"tmpfs", "ramfs", nullptr};
    static const char* const local[] = {"overlay", "zfs", "btrfs",    "fuseblk", "ext2", "ext3",
                                        "ext4",    "xfs", "vfat",     "exfat",   "ntfs", "ntfs3",
                                        "f2fs",    "jfs", "squashfs", nullptr};
    bool sshFuse =
        entry.type.compare(0, 5, "fuse.") == 0 && entry.type.find("ssh") != std::string::npos;
    if (oneOf(entry.type, remote) || sshFuse) return 4;
    if (oneOf(entry.type, optical)) return 5;
    if (oneOf(entry.type, ram)) return 6;
    if (entry.device.compare(0, 5, "/dev/") == 0) return removableDevice(entry.device) ? 2 : 3;
    if (oneOf(entry.type, local)) return 3;
    return 0;
}

// The mounted file system that holds path: the longest mount point that
// is a leading part of it (the last one mounted there wins).
bool mountOf(const std::string& path, MountEntry* found) {
    size_t best = 0;
    bool any = false;
    for (const MountEntry& entry : mounts()) {
        const std::string& point = entry.point;
        bool holds = point == "/" || path == point ||
                     (path.compare(0, point.size(), point) == 0 && path.size() > point.size() &&
                      path[point.size()] == '/');
        if (holds && point.size() >= best) {
            best = point.size();
            *found = entry;
            any = true;
        }
    }
    return any;
}

// The system's own folders hold RAM file systems for its internal use, not
// disks a user keeps files on.
bool systemFolder(const std::string& point) {
    for (const char* folder : {"/proc", "/sys", "/dev", "/run"}) {
        size_t n = std::strlen(folder);
        if (point.compare(0, n, folder) == 0 && (point.size() == n || point[n] == '/')) return true;
    }
    return false;
}

std::string ipv4Text(const sockaddr* address) {
    if (!address || address->sa_family != AF_INET) return "";
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) return "";
    return text;
}

// The default gateway of an interface from the kernel's routing table.
std::string gatewayOf(const std::string& name) {
    std::ifstream in("/proc/net/route");
    std::string line;
    std::getline(in, line); // the header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway;
        if (!(fields >> iface >> destination >> gateway)) continue;
        if (iface != name || destination != "00000000") continue;
        in_addr address{};
        address.s_addr = static_cast<in_addr_t>(std::strtoul(gateway.c_str(), nullptr, 16));
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &address, text, sizeof text)) return text;
    }
    return "";
}

// The interface type in the numbers Windows reports (IANA ifType) from the
// kernel's hardware type.
long adapterType(const std::string& name) {
    std::string line;
    long hardware =
        readLine("/sys/class/net/" + name + "/type", &line) ? std::atol(line.c_str()) : 0;
    struct stat st;
    if (hardware == 1)
        return ::stat(("/sys/class/net/" + name + "/wireless").c_str(), &st) == 0 ? 71 : 6;
    if (hardware == 772) return 24;
    if (hardware == 512) return 23;
    return 1;
}

std::string macBytes(const std::string& name) {
    std::string line, bytes;
    if (!readLine("/sys/class/net/" + name + "/address", &line)) return "";
    for (size_t i = 0; i + 1 < line.size(); i += 3)
        bytes += static_cast<char>(std::strtoul(line.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

} // namespace

bool platformOsVersion(PlatformOsVersion* out) {
    utsname names{};
    if (::uname(&names) != 0) return false;
    out->product = osReleaseValue("PRETTY_NAME");
    if (out->product.empty()) out->product = osReleaseValue("NAME");
    if (out->product.empty()) out->product = names.sysname;
    out->version_text = names.release;
    std::sscanf(names.release, "%ld.%ld", &out->major, &out->minor);
    // The kernel's own build count starts its version text: "#1 SMP ...".
    out->build = names.version[0] == '#' ? std::atol(names.version + 1) : 0;
    out->service_pack.clear();
    out->is_64bit = std::strstr(names.machine, "64") != nullptr || sizeof(void*) == 8;
    return true;
}

bool platformMemoryStatus(PlatformMemoryStatus* out) {
    struct sysinfo info {};
    if (::sysinfo(&info) != 0) return false;
    uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    out->total_phys = static_cast<uint64_t>(info.totalram) * unit;
    out->avail_phys = static_cast<uint64_t>(info.freeram + info.bufferram) * unit;
    meminfoValue("MemTotal", &out->total_phys);
    meminfoValue("MemAvailable", &out->avail_phys);
    uint64_t swapTotal = static_cast<uint64_t>(info.totalswap) * unit;
    uint64_t swapFree = static_cast<uint64_t>(info.freeswap) * unit;
    out->total_page = out->total_phys + swapTotal;
    out->avail_page = out->avail_phys + swapFree;
    // The address space: the process's limit when it has one, else what the
    // machine gives a user process.
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        out->total_virtual = static_cast<uint64_t>(limit.rlim_cur);
    else
        out->total_virtual = sizeof(void*) == 8 ? (1ull << 47) : (3ull << 30);
    uint64_t used = 0;
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, 7, "VmSize:") == 0)
            used = std::strtoull(line.c_str() + 7, nullptr, 10) * 1024ull;
    out->avail_virtual = used < out->total_virtual ? out->total_virtual - used : 0;
    return true;
}

std::vector<std::string> platformDisks() {
    std::vector<std::string> points;
    for (const MountEntry& entry : mounts()) {
        long type = mountType(entry);
        if (type <= 1 || type >= 7 || systemFolder(entry.point)) continue;
        bool seen = false;
        for (const std::string& point : points)
            if (point == entry.point) seen = true;
        if (!seen) points.push_back(entry.point);
    }
    return points;
}

long platformDiskType(const char* drive) {
    struct stat st;
    if (!drive || !*drive || ::stat(drive, &st) != 0) return 1;
    std::string path;
    if (!platformFullPathName(drive, &path)) return 1;
    MountEntry entry;
    return mountOf(path, &entry) ? mountType(entry) : 0;
}

bool platformDiskSize(const char* drive, uint64_t* size) {
    struct statvfs fs {};
    if (!drive || !*drive || ::statvfs(drive, &fs) != 0) return false;
    *size = static_cast<uint64_t>(fs.f_blocks) * static_cast<uint64_t>(fs.f_frsize);
    return true;
}

long platformMonitorCount() {
    long count = 0;
    DIR* dir = ::opendir("/sys/class/drm");
    if (!dir) return 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string status;
        if (entry->d_name[0] == '.') continue;
        if (readLine(std::string("/sys/class/drm/") + entry->d_name + "/status", &status) &&
            status == "connected")
            count++;
    }
    ::closedir(dir);
    return count;
}

bool platformIsNetworked() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    bool up = false;
    for (ifaddrs* a = list; a && !up; a = a->ifa_next)
        up = (a->ifa_flags & IFF_UP) && (a->ifa_flags & IFF_RUNNING) &&
             !(a->ifa_flags & IFF_LOOPBACK);
    ::freeifaddrs(list);
    return up;
}

bool platformNewGuid(PlatformGuid* out) {
    uint8_t bytes[16];
    FILE* f = std::fopen("/dev/urandom", "rb");
    if (!f) return false;
    bool read = std::fread(bytes, 1, sizeof bytes, f) == sizeof bytes;
    std::fclose(f);
    if (!read) return false;
    // A random GUID: version 4, the standard variant.
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0f) | 0x40);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3f) | 0x80);
    out->data1 = static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
                 static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
    out->data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
    out->data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
    std::memcpy(out->data4, bytes + 8, 8);
    return true;
}

bool platformIsElevated() {
    return ::geteuid() == 0;
}

bool platformIsAdministrator() {
    if (::geteuid() == 0) return true;
    int count = ::getgroups(0, nullptr);
    if (count < 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count) + 1);
    count = ::getgroups(count, groups.data());
    if (count < 0) return false;
    groups.resize(static_cast<size_t>(count));
    groups.push_back(::getegid());
    for (const char* name : {"sudo", "wheel", "admin"}) {
        group* entry = ::getgrnam(name);
        if (!entry) continue;
        for (gid_t id : groups)
            if (id == entry->gr_gid) return true;
    }
    return false;
}

bool platformFullPathName(const char* name, std::string* path) {
    if (!name || !*name) return false;
    if (name[0] == '/') {
        *path = name;
        return true;
    }
    std::string directory(256, '\0');
    while (!::getcwd(directory.data(), directory.size())) {
        if (errno != ERANGE) return false;
        directory.resize(directory.size() * 2);
    }
    directory.resize(std::strlen(directory.c_str()));
    std::string_view rest(name);
    while (rest.compare(0, 2, "./") == 0)
        rest.remove_prefix(2);
    *path = directory + (directory.back() == '/' ? "" : "/") + std::string(rest);
    return true;
}

bool platformAdapters(std::vector<PlatformAdapter>* out) {
    out->clear();
    DIR* dir = ::opendir("/sys/class/net");
    if (!dir) return false;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name[0] == '.' || adapterType(name) == 24) continue;
        PlatformAdapter adapter;
        adapter.id = name;
        adapter.name = name;
        std::string line;
        if (readLine("/sys/class/net/" + name + "/ifindex", &line))
            adapter.index = std::atol(line.c_str());
        adapter.type = adapterType(name);
        adapter.mac = macBytes(name);
        adapter.gateway = gatewayOf(name);
        out->push_back(adapter);
    }
    ::closedir(dir);
    std::sort(out->begin(), out->end(),
              [](const PlatformAdapter& a, const PlatformAdapter& b) { return a.index < b.index; });
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return true;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_name || !a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
        for (PlatformAdapter& adapter : *out) {
            if (adapter.id != a->ifa_name || !adapter.ip_address.empty()) continue;
            adapter.ip_address = ipv4Text(a->ifa_addr);
            adapter.netmask = ipv4Text(a->ifa_netmask);
        }
    }
    ::freeifaddrs(list);
    return true;
}

bool platformNetworkParams(PlatformNetworkParams* out) {
    platformHostName(&out->host_name);
    std::ifstream in("/etc/resolv.conf");
    std::string line;
    std::vector<std::string> servers;
    std::string search;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key, value;
        if (!(fields >> key >> value)) continue;
        if (key == "nameserver") servers.push_back(value);
        if (key == "domain") out->domain = value;
        if (key == "search" && search.empty()) search = value;
    }
    if (out->domain.empty()) out->domain = search;
    if (servers.size() > 0) out->primary_dns = servers[0];
    if (servers.size() > 1) out->secondary_dns = servers[1];
    return true;
}

// Nothing is loaded for the adapter queries here.
void platformReleaseNetworkInfo() {}
