// System information on Windows: the version through ntdll's RtlGetVersion,
// memory, drives, monitors, the token, and the adapters through iphlpapi
// (bound at run time by name and released by zorak_exit).
#include "platform/platform.h"

#include <windows.h>

#include <iphlpapi.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

namespace {

HMODULE ipHelper = nullptr;

template <typename Function> Function boundFunction(HMODULE module, const char* name) {
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

HMODULE ipHelperLibrary() {
    if (!ipHelper) ipHelper = LoadLibraryA("iphlpapi.dll");
    return ipHelper;
}

std::string rootOf(const char* drive) {
    std::string root = "A:\\";
    root[0] = drive && *drive ? drive[0] : '?';
    return root;
}

std::string firstAddress(const IP_ADDR_STRING& list) {
    return list.IpAddress.String;
}

} // namespace

bool platformOsVersion(PlatformOsVersion* out) {
    struct VersionInfo {
        ULONG size;
        ULONG major, minor, build, platform;
        WCHAR service_pack[128];
    };
    using RtlGetVersionFunction = LONG(WINAPI*)(VersionInfo*);
    auto rtlGetVersion =
        boundFunction<RtlGetVersionFunction>(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
    VersionInfo info{};
    info.size = sizeof info;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return false;
    out->product.clear();
    out->major = static_cast<long>(info.major);
    out->minor = static_cast<long>(info.minor);
    out->build = static_cast<long>(info.build);
    // What the system tells programs without a compatibility manifest.
    OSVERSIONINFOA reported{};
    reported.dwOSVersionInfoSize = sizeof reported;
    char text[32];
    if (GetVersionExA(&reported))
        std::snprintf(text, sizeof text, "%lu.%lu", reported.dwMajorVersion,
                      reported.dwMinorVersion);
    else
        std::snprintf(text, sizeof text, "%lu.%lu", info.major, info.minor);
    out->version_text = text;
    out->service_pack.clear();
    for (const WCHAR* c = info.service_pack; *c; c++)
        out->service_pack += static_cast<char>(*c < 128 ? *c : '?');
    out->is_64bit = sizeof(void*) == 8 || platformIsWow64();
    return true;
}

bool platformMemoryStatus(PlatformMemoryStatus* out) {
    using StatusExFunction = BOOL(WINAPI*)(MEMORYSTATUSEX*);
    auto statusEx =
        boundFunction<StatusExFunction>(GetModuleHandleA("kernel32.dll"), "GlobalMemoryStatusEx");
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    if (statusEx && statusEx(&ex)) {
        out->total_phys = ex.ullTotalPhys;
        out->avail_phys = ex.ullAvailPhys;
        out->total_page = ex.ullTotalPageFile;
        out->avail_page = ex.ullAvailPageFile;
        out->total_virtual = ex.ullTotalVirtual;
        out->avail_virtual = ex.ullAvailVirtual;
        return true;
    }
    MEMORYSTATUS basic{};
    basic.dwLength = sizeof basic;
    GlobalMemoryStatus(&basic);
    out->total_phys = basic.dwTotalPhys;
    out->avail_phys = basic.dwAvailPhys;
    out->total_page = basic.dwTotalPageFile;
    out->avail_page = basic.dwAvailPageFile;
    out->total_virtual = basic.dwTotalVirtual;
    out->avail_virtual = basic.dwAvailVirtual;
    return true;
}

std::vector<std::string> platformDisks() {
    std::vector<std::string> letters;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; i++) {
        if (!(mask & (1u << i))) continue;
        std::string letter(1, static_cast<char>('A' + i));
        long type = platformDiskType(letter.c_str());
        if (type > 1 && type < 7) letters.push_back(letter);
    }
    return letters;
}

long platformDiskType(const char* drive) {
    return static_cast<long>(GetDriveTypeA(rootOf(drive).c_str()));
}

bool platformDiskSize(const char* drive, uint64_t* size) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExA(rootOf(drive).c_str(), &available, &total, &free)) return false;
    *size = total.QuadPart;
    return true;
}

long platformMonitorCount() {
    return GetSystemMetrics(SM_CMONITORS);
}

bool platformIsNetworked() {
    return (GetSystemMetrics(SM_NETWORK) & 1) != 0;
}

bool platformNewGuid(PlatformGuid* out) {
    GUID guid{};
    if (CoCreateGuid(&guid) != S_OK) return false;
    out->data1 = guid.Data1;
    out->data2 = guid.Data2;
    out->data3 = guid.Data3;
    std::memcpy(out->data4, guid.Data4, 8);
    return true;
}

bool platformIsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

bool platformIsAdministrator() {
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

bool platformFullPathName(const char* name, std::string* path) {
    if (!name || !*name) return false;
    char buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(name, sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer) return false;
    *path = buffer;
    return true;
}

bool platformAdapters(std::vector<PlatformAdapter>* out) {
    out->clear();
    using AdaptersInfoFunction = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);
    auto adaptersInfo = boundFunction<AdaptersInfoFunction>(ipHelperLibrary(), "GetAdaptersInfo");
    if (!adaptersInfo) return false;
    ULONG size = 0;
    if (adaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return size == 0;
    std::vector<char> buffer(size);
    auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (adaptersInfo(first, &size) != NO_ERROR) return false;
    for (IP_ADAPTER_INFO* a = first; a; a = a->Next) {
        PlatformAdapter adapter;
        adapter.id = a->AdapterName;
        adapter.name = a->Description;
        adapter.index = static_cast<long>(a->Index);
        adapter.type = static_cast<long>(a->Type);
        adapter.dhcp_enabled = a->DhcpEnabled != 0;
        adapter.dhcp_server = firstAddress(a->DhcpServer);
        adapter.lease_obtained = static_cast<long long>(a->LeaseObtained);
        adapter.lease_expires = static_cast<long long>(a->LeaseExpires);
        adapter.mac.assign(reinterpret_cast<const char*>(a->Address),
                           a->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH
                               ? a->AddressLength
                               : MAX_ADAPTER_ADDRESS_LENGTH);
        adapter.ip_address = firstAddress(a->IpAddressList);
        adapter.netmask = a->IpAddressList.IpMask.String;
        adapter.gateway = firstAddress(a->GatewayList);
        if (a->HaveWins) {
            adapter.primary_wins = firstAddress(a->PrimaryWinsServer);
            adapter.secondary_wins = firstAddress(a->SecondaryWinsServer);
        }
        out->push_back(adapter);
    }
    return true;
}

bool platformNetworkParams(PlatformNetworkParams* out) {
    using NetworkParamsFunction = DWORD(WINAPI*)(PFIXED_INFO, PULONG);
    auto networkParams =
        boundFunction<NetworkParamsFunction>(ipHelperLibrary(), "GetNetworkParams");
    if (!networkParams) return platformHostName(&out->host_name);
    ULONG size = 0;
    if (networkParams(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0)
        return platformHostName(&out->host_name);
    std::vector<char> buffer(size);
    auto* info = reinterpret_cast<FIXED_INFO*>(buffer.data());
    if (networkParams(info, &size) != NO_ERROR) return platformHostName(&out->host_name);
    out->host_name = info->HostName;
    out->domain = info->DomainName;
    out->primary_dns = info->DnsServerList.IpAddress.String;
    if (info->DnsServerList.Next) out->secondary_dns = info->DnsServerList.Next->IpAddress.String;
    return true;
}

void platformReleaseNetworkInfo() {
    if (ipHelper) FreeLibrary(ipHelper);
    ipHelper = nullptr;
}
