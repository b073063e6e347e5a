// The desktop on Windows: the system's message box, file and folder
// choosers, clipboard, tones and wave sound.
#include "platform/platform.h"

// The choosers' headers need the drawing types the rest of the build leaves
// out.
#undef NOGDI
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string lastErrorText() {
    return platformErrorText(GetLastError());
}

// The folder to open a chooser in, set once the dialog is up.
int CALLBACK folderStart(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

bool platformInputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

bool platformHasDialogs() {
    return true;
}

PlatformAnswer platformDialogMessage(const char* text, const char* caption, PlatformButtons buttons,
                                     PlatformIcon icon) {
    UINT style = MB_SETFOREGROUND;
    switch (buttons) {
    case PlatformButtons::OkCancel:
        style |= MB_OKCANCEL;
        break;
    case PlatformButtons::YesNo:
        style |= MB_YESNO;
        break;
    case PlatformButtons::YesNoCancel:
        style |= MB_YESNOCANCEL;
        break;
    case PlatformButtons::RetryCancel:
        style |= MB_RETRYCANCEL;
        break;
    default:
        style |= MB_OK;
    }
    switch (icon) {
    case PlatformIcon::Info:
        style |= MB_ICONINFORMATION;
        break;
    case PlatformIcon::Warning:
        style |= MB_ICONWARNING;
        break;
    case PlatformIcon::Error:
        style |= MB_ICONERROR;
        break;
    case PlatformIcon::Question:
        style |= MB_ICONQUESTION;
        break;
    default:
        break;
    }
    switch (MessageBoxA(nullptr, text, caption, style)) {
    case IDOK:
        return PlatformAnswer::Ok;
    case IDYES:
        return PlatformAnswer::Yes;
    case IDNO:
        return PlatformAnswer::No;
    case IDRETRY:
        return PlatformAnswer::Retry;
    case 0:
        // No box could be shown: the cautious answer.
        return buttons == PlatformButtons::Ok      ? PlatformAnswer::Ok
               : buttons == PlatformButtons::YesNo ? PlatformAnswer::No
                                                   : PlatformAnswer::Cancel;
    default:
        return PlatformAnswer::Cancel;
    }
}

bool platformDialogFile(bool save, const char* title, const char* folder, const char* name,
                        const char* filter, std::string* chosen) {
    // "Name|pattern|..." becomes the pairs of zero-ended texts the dialog
    // takes, ended by an empty one.
    std::string filters = filter ? filter : "";
    for (char& c : filters)
        if (c == '|') c = '\0';
    filters.append(2, '\0');
    char file[MAX_PATH * 4] = {};
    if (name) std::snprintf(file, sizeof file, "%s", name);
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.lpstrFilter = filter && *filter ? filters.c_str() : nullptr;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrTitle = title;
    request.lpstrInitialDir = folder && *folder ? folder : nullptr;
    request.Flags = OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                    (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    BOOL ok = save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    if (!ok) return false;
    *chosen = file;
    return true;
}

bool platformDialogFolder(const char* title, const char* folder, std::string* chosen) {
    HRESULT started = CoInitialize(nullptr);
    BROWSEINFOA request{};
    char display[MAX_PATH];
    request.pszDisplayName = display;
    request.lpszTitle = title;
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    request.lpfn = folderStart;
    request.lParam = reinterpret_cast<LPARAM>(folder && *folder ? folder : nullptr);
    LPITEMIDLIST item = SHBrowseForFolderA(&request);
    bool ok = false;
    if (item) {
        char path[MAX_PATH];
        if (SHGetPathFromIDListA(item, path)) {
            *chosen = path;
            ok = true;
        }
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(started)) CoUninitialize();
    return ok;
}

bool platformClipboardGet(std::string* text, std::string* error) {
    if (!OpenClipboard(nullptr)) return *error = lastErrorText(), false;
    text->clear();
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes) {
            // The block may be larger than its text; the text ends at its zero.
            size_t limit = GlobalSize(data);
            text->assign(bytes, strnlen(bytes, limit));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return true;
}

bool platformClipboardSet(const std::string& text, std::string* error) {
    if (!OpenClipboard(nullptr)) return *error = lastErrorText(), false;
    EmptyClipboard();
    bool ok = true;
    if (!text.empty()) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        char* bytes = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
        if (bytes) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            // The clipboard owns the block once it takes it.
            ok = SetClipboardData(CF_TEXT, block) != nullptr;
            if (!ok) GlobalFree(block);
        } else {
            if (block) GlobalFree(block);
            ok = false;
        }
        if (!ok) *error = lastErrorText();
    }
    CloseClipboard();
    return ok;
}

bool platformBeep(long frequency, long milliseconds, std::string* error) {
    if (Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(milliseconds))) return true;
    // No speaker to drive: the system's own sound instead.
    if (MessageBeep(MB_OK)) return true;
    *error = "not available on this platform";
    return false;
}

bool platformPlayWave(const char* path, bool loop, bool wait, std::string* error) {
    DWORD flags =
        SND_FILENAME | SND_NODEFAULT | (wait ? SND_SYNC : SND_ASYNC) | (loop ? SND_LOOP : 0);
    if (PlaySoundA(path, nullptr, flags)) return true;
    *error = std::string("cannot play '") + path + "'";
    return false;
}

bool platformStopWave(std::string* error) {
    if (PlaySoundA(nullptr, nullptr, 0)) return true;
    *error = "not available on this platform";
    return false;
}

bool platformReadAnswer(std::string* line) {
    line->clear();
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        line->append(buffer);
        if (!line->empty() && line->back() == '\n') break;
    }
    if (line->empty()) {
        std::clearerr(stdin);
        return false;
    }
    while (!line->empty() && (line->back() == '\n' || line->back() == '\r'))
        line->pop_back();
    return true;
}

const char* const* platformBoxGlyphs(bool double_line) {
    static const char* const kSingle[] = {"\xDA", "\xBF", "\xC0", "\xD9", "\xC4", "\xB3"};
    static const char* const kDouble[] = {"\xC9", "\xBB", "\xC8", "\xBC", "\xCD", "\xBA"};
    static const char* const kSingleUtf8[] = {"\u250c", "\u2510", "\u2514",
                                              "\u2518", "\u2500", "\u2502"};
    static const char* const kDoubleUtf8[] = {"\u2554", "\u2557", "\u255a",
                                              "\u255d", "\u2550", "\u2551"};
    if (GetConsoleOutputCP() == CP_UTF8) return double_line ? kDoubleUtf8 : kSingleUtf8;
    return double_line ? kDouble : kSingle;
}
