// Who and where the script runs: is_set, username, is_elevated, is_admin and
// the hostname family (the host name, and one field of one network adapter).
#include "services/info_commands.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The adapter fields, in the order the help lists them. The machine-wide
// ones (host name, domain, name servers) need no adapter.
const char* const kAdapterFields[] = {
    "adapter_id",  "adapter_index", "adapter_name",  "adapter_type",  "dhcp_enabled",
    "dhcp_end",    "dhcp_server",   "dhcp_start",    "domain",        "fmac_address",
    "gateway",     "hostname",      "ip_address",    "mac_address",   "netmask",
    "primary_dns", "primary_wins",  "secondary_dns", "secondary_wins"};

bool isAdapterField(const char* word) {
    for (const char* field : kAdapterFields)
        if (zorakEqualNoCase(word, field)) return true;
    return false;
}

std::string decimal(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return text;
}

// The hardware address as twelve hex digits, or with "-" between the bytes.
std::string macText(const std::string& bytes, bool formatted) {
    std::string text;
    char pair[4];
    for (size_t i = 0; i < bytes.size(); i++) {
        if (formatted && i > 0) text += '-';
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(bytes[i]));
        text += pair;
    }
    return text;
}

// The value of a machine-wide field; false for an adapter's own field.
bool machineField(const char* field, std::string* value) {
    bool host = zorakEqualNoCase(field, "hostname");
    bool domain = zorakEqualNoCase(field, "domain");
    bool primary = zorakEqualNoCase(field, "primary_dns");
    bool secondary = zorakEqualNoCase(field, "secondary_dns");
    if (!host && !domain && !primary && !secondary) return false;
    PlatformNetworkParams params;
    platformNetworkParams(&params);
    *value = host      ? params.host_name
             : domain  ? params.domain
             : primary ? params.primary_dns
                       : params.secondary_dns;
    return true;
}

std::string adapterField(const PlatformAdapter& a, const char* field) {
    auto is = [field](const char* name) { return zorakEqualNoCase(field, name); };
    if (is("adapter_id")) return a.id;
    if (is("adapter_index")) return decimal(a.index);
    if (is("adapter_name")) return a.name;
    if (is("adapter_type")) return decimal(a.type);
    if (is("dhcp_enabled")) return a.dhcp_enabled ? "1" : "0";
    if (is("dhcp_server")) return a.dhcp_server;
    if (is("dhcp_start")) return decimal(a.lease_obtained);
    if (is("dhcp_end")) return decimal(a.lease_expires);
    if (is("mac_address")) return macText(a.mac, false);
    if (is("fmac_address")) return macText(a.mac, true);
    if (is("ip_address")) return a.ip_address;
    if (is("netmask")) return a.netmask;
    if (is("gateway")) return a.gateway;
    if (is("primary_wins")) return a.primary_wins;
    return a.secondary_wins;
}

int zorakCommandIsAdmin(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    zorakSetResult(interp, platformIsAdministrator() ? "1" : "0", 0);
    return OK;
}

} // namespace

int zorakAdapterQuery(Interpreter* interp, const char* command, const char* field,
                      const char* index) {
    std::vector<PlatformAdapter> adapters;
    platformAdapters(&adapters);
    if (zorakEqualNoCase(field, "adapter_count")) {
        zorakSetResult(interp, decimal(static_cast<long long>(adapters.size())).c_str(), 0);
        return OK;
    }
    std::string value;
    if (machineField(field, &value)) {
        zorakSetResult(interp, value.c_str(), 0);
        return OK;
    }
    int64_t at = index ? zorakLeadingInt(index) : 0;
    if ((index && !zorakIsDecimalNumber(index)) || at < 0 ||
        at >= static_cast<int64_t>(adapters.size())) {
        zorakReportError(interp, "%s %s: No adapter at index '%s'\n", command, field,
                         index ? index : "0");
        return ERROR;
    }
    value = adapterField(adapters[static_cast<size_t>(at)], field);
    zorakSetResult(interp, value.c_str(), 0);
    return OK;
}

bool zorakIsAdapterWord(const char* word) {
    return zorakEqualNoCase(word, "adapter_count") || isAdapterField(word);
}

// Options are skipped, the other words make up the name; a name with "("
// asks for one array element.
int zorakCommandIsSet(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    std::string name;
    for (int i = 1; i < argc; i++) {
        if (argv[i][0] != '-') {
            name += argv[i];
            continue;
        }
        if (zorakEqualNoCase(argv[i], "-nocase")) nocase = true;
    }
    bool found = false;
    size_t open = name.find('(');
    if (open == std::string::npos) {
        found = zorakGetVar(interp, name.c_str(), kScopeCurrent) != nullptr;
    } else {
        size_t close = name.rfind(')');
        std::string array = name.substr(0, open);
        std::string subscript = close != std::string::npos && close > open
                                    ? name.substr(open + 1, close - open - 1)
                                    : name.substr(open + 1);
        const char* value = nullptr;
        found = array_get_element(interp, array.c_str(), subscript.c_str(), &value,
                                  nocase ? 1 : 0) != 0;
    }
    zorakSetResult(interp, found ? "1" : "0", 0);
    return OK;
}

int zorakCommandUsername(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    std::string name;
    platformUserName(&name);
    zorakSetResult(interp, name.c_str(), 0);
    return OK;
}

int zorakCommandIsElevated(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    zorakSetResult(interp, platformIsElevated() ? "1" : "0", 0);
    return OK;
}

// hostname alone gives the computer's name; hostname FIELD ?index? one
// adapter field. Called from info, the first word is the field itself.
int zorakCommandHostname(Interpreter* interp, int argc, char** argv, void*) {
    int first = zorakEqualNoCase(argv[0], "hostname") && argc > 1 ? 1 : 0;
    if (argc - first > 2) return zorakWrongArgs(interp, argc, argv);
    const char* field = argv[first];
    if (first == 0 && zorakEqualNoCase(field, "hostname") && argc == 1) {
        std::string name;
        platformHostName(&name);
        zorakSetResult(interp, name.c_str(), 0);
        return OK;
    }
    if (!zorakIsAdapterWord(field)) {
        zorakReportError(interp, "%s: Unknown argument '%s'\n", argv[0], field);
        return ERROR;
    }
    return zorakAdapterQuery(interp, argv[0], field, argc - first > 1 ? argv[first + 1] : nullptr);
}

void zorakRegisterIdentityCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "is_set", zorakCommandIsSet, nullptr, 0);
    zorakRegisterCommand(interp, "username", zorakCommandUsername, nullptr, 0);
    zorakRegisterCommand(interp, "is_elevated", zorakCommandIsElevated, nullptr, 0);
    zorakRegisterCommand(interp, "is_admin", zorakCommandIsAdmin, nullptr, 0);
    zorakRegisterCommand(interp, "hostname", zorakCommandHostname, nullptr, 0);
}
