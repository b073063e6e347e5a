// The configuration file: boolean keys in the section "Config" of an
// INI-style text file whose path the host hands over through ZORAK_CONFIG.
#include "shell/settings.h"

#include "platform/platform.h"
#include "util/text.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string trim(const std::string& text, const char* chars) {
    size_t start = text.find_first_not_of(chars);
    if (start == std::string::npos) return "";
    size_t end = text.find_last_not_of(chars);
    return text.substr(start, end - start + 1);
}

bool configLookup(const std::string& path, const char* section, const char* key,
                  std::string* value) {
    if (path.empty() || !section || !*section || !key || !*key) return false;
    if (!platformFileExists(path.c_str())) return false;
    FILE* file = std::fopen(path.c_str(), "r");
    // Another program may hold the file for a moment; retry for up to 50 s.
    for (int attempt = 0; attempt < 500 && !file; attempt++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        file = std::fopen(path.c_str(), "r");
    }
    if (!file) return false;
    char line[258];
    bool inSection = false;
    bool found = false;
    while (std::fgets(line, sizeof line, file)) {
        std::string text = trim(line, " \t\r\n");
        if (!text.empty() && text[0] == '[') {
            if (inSection) break;
            size_t close = text.find(']');
            if (close != std::string::npos)
                inSection = zorakEqualNoCase(trim(text.substr(1, close - 1), " \t"), section);
            continue;
        }
        if (!inSection) continue;
        size_t eq = text.find('=');
        if (eq == std::string::npos) continue;
        std::string name = trim(text.substr(0, eq), " \t");
        if (name.size() != std::strlen(key) || !zorakEqualNoCase(name, key)) continue;
        std::string rest = text.substr(eq + 1);
        size_t semicolon = rest.find(';');
        if (semicolon != std::string::npos) rest = rest.substr(0, semicolon);
        *value = trim(rest, " \t\r\n");
        found = true;
        break;
    }
    std::fclose(file);
    return found;
}

} // namespace

bool zorakConfigBool(const char* key, int16_t* value) {
    std::string text;
    if (!configLookup(zorakSettings.config_path, "Config", key, &text)) return false;
    std::string cleaned;
    for (char c : text)
        if (!std::strchr("; \t\"", c)) cleaned += c;
    if (cleaned.empty()) return false;
    *value =
        zorakEqualNoCase(cleaned, "yes") || zorakEqualNoCase(cleaned, "true") || cleaned == "1";
    return true;
}

void zorakLoadConfigPath() {
    std::string path;
    if (zorakSettings.config_path.empty() && platformGetEnv("ZORAK_CONFIG", &path))
        zorakSettings.config_path = path;
}
