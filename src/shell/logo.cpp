// The logo command: the product's name in text art, anywhere on the screen.
#include "shell/shell.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "shell/settings.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Written as puts would be given them: each backslash doubled, since the
// lines pass through the same escape rewriting.
const char* const kLogoLines[4] = {
    " ____                _    ",
    "|_  /___  _ __ __ _ | | __",
    " / // _ \\\\| '__/ _` || |/ /",
    "/___\\\\___/|_|  \\\\__,_||_|\\\\_\\\\",
};

constexpr int kDefaultColour = 14;
constexpr int kDefaultShade = 12;

long position(const char* word, long current) {
    if (std::strcmp(word, "-") == 0) return current;
    long value = std::atol(word);
    return value < 1 ? 1 : value;
}

} // namespace

int zorakCommandLogo(Interpreter*, int argc, char** argv, void*) {
    uint8_t colour = kDefaultColour;
    uint8_t shade = kDefaultShade;
    bool shading = false;
    std::vector<const char*> positional;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-shade") == 0 && i + 1 < argc) {
            shade = colour_from_text(argv[++i]);
            shading = true;
            continue;
        }
        positional.push_back(argv[i]);
    }
    if (positional.size() >= 1 && std::strcmp(positional[0], "-") != 0)
        colour = colour_from_text(positional[0]);
    long column = console_cursor_column();
    long row = console_cursor_row();
    if (positional.size() >= 3) column = position(positional[2], column);
    if (positional.size() >= 4) row = position(positional[3], row);
    for (int i = 0; i < 4; i++) {
        std::string line = kLogoLines[i];
        if (zorakSettings.escape) {
            zorakUnescape(line.data());
            line.resize(std::strlen(line.c_str()));
        }
        if (column > 0 && row > 0) gotoxy(column, row + i);
        set_text_attribute(shading && i == 3 ? shade : colour);
        Writes(line.c_str());
        set_text_attribute(7);
        Writes("\r\n");
    }
    reset_attribute();
    return OK;
}
