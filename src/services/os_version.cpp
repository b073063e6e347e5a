// The operating-system version text: the release name, the system's version
// string, the build and the service pack, in the forms info winver offers.
#include "services/os_version.h"

#include "platform/platform.h"
#include "util/text.h"

#include <cstdio>

const char* zorakWindowsReleaseName(long major, long minor) {
    struct Release {
        long major, minor;
        const char* name;
    };
    static const Release kReleases[] = {{3, 1, "NT"},
                                        {3, 51, "NT"},
                                        {4, 0, "NT"},
                                        {4, 1, "98"},
                                        {4, 9, "ME"},
                                        {5, 0, "2000"},
                                        {5, 1, "XP"},
                                        {5, 2, "2003/XP64"},
                                        {6, 0, "Vista/Server 2008"},
                                        {6, 1, "7/Server 2008R2"},
                                        {6, 2, "8/Server 2012"},
                                        {6, 3, "8.1/Server 2012R2"},
                                        {6, 4, "10/Server 2016"}};
    for (const Release& release : kReleases)
        if (release.major == major && release.minor == minor) return release.name;
    return "12/Server 2019";
}

std::string zorakFormatOsVersion(const PlatformOsVersion* version, const VersionTextForm& form) {
    PlatformOsVersion unknown;
    const PlatformOsVersion& v = version ? *version : unknown;
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, "%ld.%ld", v.major, v.minor);
    std::string versionText = form.true_ver ? numbers : v.version_text;
    if (form.vernum) return versionText;

    std::string label = v.product;
    if (label.empty())
        label = std::string("Windows ") +
                (version ? zorakWindowsReleaseName(v.major, v.minor) : "Unknown Version");
    char build[24];
    std::snprintf(build, sizeof build, ".%ld", v.build);

    // "Service Pack 3" is written "SP3"; any other text is left out.
    std::string servicePack = v.service_pack;
    while (!servicePack.empty() && servicePack.back() == ' ')
        servicePack.pop_back();
    std::string spNumber;
    const std::string_view spPrefix = "service pack ";
    bool hasSp = !servicePack.empty();
    if (hasSp && servicePack.size() >= spPrefix.size() &&
        zorakEqualNoCase(std::string_view(servicePack).substr(0, spPrefix.size()), spPrefix))
        spNumber = "SP" + servicePack.substr(spPrefix.size());
    const char* bits = v.is_64bit ? "64" : "32";

    if (form.list) {
        std::string text = "{" + label + "} " + versionText + build + " ";
        if (hasSp) text += spNumber + " ";
        return text + bits;
    }
    std::string text = label + " [" + versionText + build + "] ";
    if (hasSp) text += "(" + spNumber + ") ";
    return text + bits + " bit";
}

std::string zorakOsVersionText(const VersionTextForm& form) {
    PlatformOsVersion version;
    bool known = platformOsVersion(&version);
    return zorakFormatOsVersion(known ? &version : nullptr, form);
}
