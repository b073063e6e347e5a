// The version text of info winver and the summary, for the releases and
// service packs a Linux machine never reports.
#include "platform/platform.h"
#include "services/os_version.h"

#include <gtest/gtest.h>

namespace {

PlatformOsVersion windowsXp() {
    PlatformOsVersion v;
    v.version_text = "5.1";
    v.major = 5;
    v.minor = 1;
    v.build = 2600;
    v.service_pack = "Service Pack 3  ";
    return v;
}

VersionTextForm form(bool list, bool vernum, bool trueVer) {
    VersionTextForm f;
    f.list = list;
    f.vernum = vernum;
    f.true_ver = trueVer;
    return f;
}

} // namespace

TEST(OsVersion, ReleaseNamesFollowTheTableAndFallBackToTheNewest) {
    EXPECT_STREQ(zorakWindowsReleaseName(3, 51), "NT");
    EXPECT_STREQ(zorakWindowsReleaseName(4, 9), "ME");
    EXPECT_STREQ(zorakWindowsReleaseName(5, 2), "2003/XP64");
    EXPECT_STREQ(zorakWindowsReleaseName(6, 3), "8.1/Server 2012R2");
    EXPECT_STREQ(zorakWindowsReleaseName(6, 4), "10/Server 2016");
    EXPECT_STREQ(zorakWindowsReleaseName(10, 0), "12/Server 2019");
}

TEST(OsVersion, ServicePackIsShortenedAndTrimmedInEveryForm) {
    PlatformOsVersion v = windowsXp();
    EXPECT_EQ(zorakFormatOsVersion(&v, form(false, false, false)),
              "Windows XP [5.1.2600] (SP3) 32 bit");
    EXPECT_EQ(zorakFormatOsVersion(&v, form(true, false, false)), "{Windows XP} 5.1.2600 SP3 32");
    // a service-pack text of another shape leaves only the parentheses
    v.service_pack = "Update 1";
    v.is_64bit = true;
    EXPECT_EQ(zorakFormatOsVersion(&v, form(false, false, false)),
              "Windows XP [5.1.2600] () 64 bit");
}

TEST(OsVersion, TrueVersionReplacesTheReportedString) {
    PlatformOsVersion v = windowsXp();
    v.version_text = "6.2";
    v.major = 10;
    v.minor = 0;
    v.service_pack.clear();
    EXPECT_EQ(zorakFormatOsVersion(&v, form(false, true, false)), "6.2");
    EXPECT_EQ(zorakFormatOsVersion(&v, form(false, true, true)), "10.0");
    EXPECT_EQ(zorakFormatOsVersion(&v, form(false, false, true)),
              "Windows 12/Server 2019 [10.0.2600] 32 bit");
}

TEST(OsVersion, OtherSystemsAndUnreadableVersionsKeepTheShape) {
    PlatformOsVersion v;
    v.product = "Debian GNU/Linux 12 (bookworm)";
    v.version_text = "6.1.0-18-amd64";
    v.major = 6;
    v.minor = 1;
    v.build = 1;
    v.is_64bit = true;
    EXPECT_EQ(zorakFormatOsVersion(&v, form(true, false, false)),
              "{Debian GNU/Linux 12 (bookworm)} 6.1.0-18-amd64.1 64");
    EXPECT_EQ(zorakFormatOsVersion(nullptr, form(false, false, false)),
              "Windows Unknown Version [.0] 32 bit");
}
