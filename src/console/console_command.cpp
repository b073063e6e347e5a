// The console command: the window, the cursor, the title and what the
// console reports about itself.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cstdio>
#include <string>

namespace {

int setIntResult(Interpreter* interp, long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%li", value);
    zorakSetResult(interp, text, 0);
    return OK;
}

long argumentOr(int argc, char** argv, int index, long fallback) {
    return index < argc ? static_cast<long>(zorakLeadingInt(argv[index])) : fallback;
}

long windowOp(ConsoleWindowOp op, long a = 0, long b = 0, long c = 0, long d = 0) {
    return platformConsoleWindow(op, a, b, c, d);
}

// attribute, curx and cury read the console; a console that cannot be read
// gives "0" and an error.
int reportQuery(Interpreter* interp, char** argv, bool known, long value) {
    if (known) return setIntResult(interp, value);
    zorakReportError(interp, "%s %s: Failed\n", argv[0], argv[1]);
    zorakSetResult(interp, "0", 0);
    return ERROR;
}

int cursorQuery(Interpreter* interp, char** argv, bool wantColumn) {
    OpenConsole(0);
    int column, row;
    bool known = platformCursorPosition(&column, &row);
    return reportQuery(interp, argv, known, known ? (wantColumn ? column : row) + 1 : 0);
}

} // namespace

int zorakCommandConsole(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* sub = argv[1];
    auto is = [sub](const char* name) { return zorakEqualNoCase(sub, name); };
    if (is("hide")) {
        windowOp(ConsoleWindowOp::Hide);
        return setIntResult(interp, 1);
    }
    if (is("show")) {
        OpenConsole(0);
        windowOp(ConsoleWindowOp::Show);
        windowOp(ConsoleWindowOp::Restore);
        return setIntResult(interp, 1);
    }
    if (is("hidden")) return setIntResult(interp, windowOp(ConsoleWindowOp::Visible) ? 1 : 0);
    if (is("setfocus")) {
        windowOp(ConsoleWindowOp::Hide);
        windowOp(ConsoleWindowOp::Show);
        ConsoleSetFocus();
        return setIntResult(interp, 1);
    }
    if (is("move")) {
        if (argc < 3) {
            zorakReportError(interp, "%s %s: Invalid command\n", argv[0], argv[1]);
            return ERROR;
        }
        windowOp(ConsoleWindowOp::Move, argumentOr(argc, argv, 2, 0), argumentOr(argc, argv, 3, 1),
                 argumentOr(argc, argv, 4, 0), argumentOr(argc, argv, 5, 0));
        return setIntResult(interp, 1);
    }
    if (is("maximize")) {
        OpenConsole(0);
        windowOp(ConsoleWindowOp::Show);
        windowOp(ConsoleWindowOp::Restore);
        windowOp(ConsoleWindowOp::Maximise);
        windowOp(ConsoleWindowOp::Focus);
        return setIntResult(interp, 1);
    }
    if (is("minimize")) {
        OpenConsole(0);
        windowOp(ConsoleWindowOp::Show);
        windowOp(ConsoleWindowOp::Minimise);
        windowOp(ConsoleWindowOp::Focus);
        return setIntResult(interp, 1);
    }
    if (is("fullscreen")) {
        OpenConsole(0);
        windowOp(ConsoleWindowOp::Show);
        windowOp(ConsoleWindowOp::Restore);
        windowOp(ConsoleWindowOp::Maximise);
        return setIntResult(interp, windowOp(ConsoleWindowOp::FullScreen) ? 1 : 0);
    }
    if (is("center")) {
        CentreConsole();
        return setIntResult(interp, 1);
    }
    if (is("noborders")) {
        long style = windowOp(ConsoleWindowOp::NoBorders);
        if (style) console_state.saved_window_style = static_cast<uint32_t>(style);
        return setIntResult(interp, 1);
    }
    if (is("borders")) {
        windowOp(ConsoleWindowOp::Borders, static_cast<long>(console_state.saved_window_style));
        return setIntResult(interp, 1);
    }
    if (is("scroll") && argc >= 6) {
        console_scroll(argumentOr(argc, argv, 2, 0), argumentOr(argc, argv, 3, 0),
                       argumentOr(argc, argv, 4, 0), argumentOr(argc, argv, 5, 0),
                       argumentOr(argc, argv, 6, 1));
        return OK;
    }
    if (is("get_title")) {
        std::string title;
        if (!platformGetTitle(&title)) {
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
        // The console hands out at most 255 bytes of its title.
        if (title.size() > 255) title.resize(255);
        zorakSetResult(interp, title.c_str(), 0);
        return OK;
    }
    if (is("set_title") && argc >= 3)
        return setIntResult(interp, platformSetTitle(argv[2]) ? 1 : 0);
    if (is("close")) {
        CloseConsole();
        return setIntResult(interp, console_state.console_open);
    }
    if (is("showcursor")) {
        int size = console_state.saved_cursor_size ? console_state.saved_cursor_size : 50;
        platformSetCursorInfo(size, true);
        return setIntResult(interp, 0);
    }
    if (is("hidecursor")) {
        int size;
        bool visible;
        if (platformCursorInfo(&size, &visible) && visible) console_state.saved_cursor_size = size;
        platformSetCursorInfo(console_state.saved_cursor_size, false);
        return setIntResult(interp, 0);
    }
    if (is("width")) return setIntResult(interp, console_window_width());
    if (is("height")) return setIntResult(interp, console_window_height());
    if (is("attribute")) {
        OpenConsole(0);
        return reportQuery(interp, argv, true, get_text_attribute());
    }
    if (is("curx")) return cursorQuery(interp, argv, true);
    if (is("cury")) return cursorQuery(interp, argv, false);
    zorakReportError(interp, "%s: Invalid command '%s'\n", argv[0], argv[1]);
    return ERROR;
}

void zorakRegisterConsoleCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "console", zorakCommandConsole, nullptr, 0);
}
