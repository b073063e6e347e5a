// The operating-system version text that `info` and the summary report.
#pragma once

#include <string>

struct PlatformOsVersion;

struct VersionTextForm {
    bool list = false;     // {name} version.build servicepack 32|64
    bool vernum = false;   // only the version string
    bool true_ver = false; // major.minor in place of the system's version string
};

// The release name of a Windows version number ("XP" for 5.1).
const char* zorakWindowsReleaseName(long major, long minor);
// The version text of a version record (null: the version could not be read).
std::string zorakFormatOsVersion(const PlatformOsVersion* version, const VersionTextForm& form);
// The same for the running system.
std::string zorakOsVersionText(const VersionTextForm& form);
