// Runs one script file through zorak_command and prints, after whatever the
// script wrote to the console, its result and completion code.
#include "zorak.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scriptrun FILE.tcl\n");
        return 2;
    }
    FILE* file = std::fopen(argv[1], "rb");
    if (!file) {
        std::fprintf(stderr, "scriptrun: cannot read %s\n", argv[1]);
        return 2;
    }
    std::string script;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        script.append(chunk, n);
    std::fclose(file);
    int code = -1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    std::fflush(stdout);
    // The BSTR holds the result's 8-bit bytes (on Windows its type says wide
    // characters).
    const char* text = result ? reinterpret_cast<const char*>(result) : "(null)";
    std::printf("=== result: '%s'\n=== code: %d\n", text, code);
    SysFreeString(result);
    zorak_exit();
    return 0;
}
