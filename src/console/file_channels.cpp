// The file channel commands: open, close, gets, read, eof, flush, tell,
// rewind, and the whole-file readfile and writefile. Handles are numbers in
// one table of the streams opened here; a number that names no open stream
// is never used as a stream.
#include "console/file_channels.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

struct ChannelTable {
    std::map<long, FILE*> streams;
    long next_handle = 1;
};

ChannelTable channels;

long handleOf(const char* word) {
    return static_cast<long>(zorakLeadingInt(word));
}

// File names pass through the simple unescape while the escape option is on.
std::string fileName(const char* word) {
    std::string name = word;
    if (zorakSettings.escape) {
        zorakUnescape(name.data());
        name.resize(std::strlen(name.c_str()));
    }
    return name;
}

// The runtime aborts some programs on a mode it does not know, so only the
// modes it documents everywhere get through: r, w or a, then at most one
// each of "+", "b" and "t" (not both of the last two).
bool validMode(const char* mode) {
    if (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a') return false;
    int plus = 0, binary = 0, text = 0;
    for (const char* p = mode + 1; *p; p++) {
        if (*p == '+')
            plus++;
        else if (*p == 'b')
            binary++;
        else if (*p == 't')
            text++;
        else
            return false;
    }
    return plus <= 1 && binary + text <= 1;
}

int invalidHandle(Interpreter* interp, const char* command) {
    zorakReportError(interp, "%s: %s handle\n", command, "Invalid");
    zorakSetResult(interp, "0", 0);
    return ERROR;
}

// Reads one line of at most limit bytes; false at the end of the input. The
// rest of a longer line comes with the next read. Line ends are dropped.
bool readLine(FILE* stream, size_t limit, std::string* line) {
    line->clear();
    int c = std::getc(stream);
    if (c == EOF) return false;
    while (c != EOF) {
        if (c == '\n') break;
        line->push_back(static_cast<char>(c));
        if (line->size() >= limit) break;
        c = std::getc(stream);
    }
    while (!line->empty() && (line->back() == '\r' || line->back() == '\n'))
        line->pop_back();
    return true;
}

void setResultNumber(Interpreter* interp, int64_t value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
}

int zorakCommandRead(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    FILE* stream = zorakChannelFromWord(argv[1], true);
    if (!stream) return ERROR;
    int64_t count = -1;
    if (argc >= 3) {
        count = std::strtoll(argv[2], nullptr, 10);
        if (count <= 0) return ERROR;
    } else {
        // From here to the end of the file, where the stream can seek.
        int64_t here = platformStreamTell(stream);
        if (here >= 0 && platformStreamSeek(stream, 0, SEEK_END)) {
            int64_t end = platformStreamTell(stream);
            platformStreamSeek(stream, here, SEEK_SET);
            count = end - here;
            if (count <= 0) return ERROR;
        }
    }
    // The text grows with what arrives, so a huge count costs nothing until
    // the data is there.
    std::string data;
    char chunk[65536];
    while (count < 0 || static_cast<int64_t>(data.size()) < count) {
        size_t want = sizeof chunk;
        if (count >= 0 && static_cast<int64_t>(want) > count - static_cast<int64_t>(data.size()))
            want = static_cast<size_t>(count - static_cast<int64_t>(data.size()));
        size_t got = std::fread(chunk, 1, want, stream);
        data.append(chunk, got);
        if (got < want) break;
    }
    if (data.empty()) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    // The result is text: it ends at the first zero byte.
    zorakSetResult(interp, data.c_str(), 0);
    return OK;
}

int zorakCommandReadfile(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool lines = false, noBlank = false;
    int64_t max = 0;
    const char* varName = nullptr;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-array")) {
            lines = true;
        } else if (zorakEqualNoCase(argv[i], "-noblank")) {
            noBlank = true;
        } else if (zorakEqualNoCase(argv[i], "-max") && i + 1 < argc) {
            max = zorakLeadingInt(argv[++i]);
            if (max < 0) max = 0;
        } else if (argv[i][0] != '-' && !varName) {
            varName = argv[i];
        }
    }
    std::string name = fileName(argv[1]);
    if (!platformFileExists(name.c_str())) {
        zorakReportError(interp, "%s: File '%s' not found\n", argv[0], name.c_str());
        return ERROR;
    }
    std::string contents;
    bool complete = false;
    if (!platformReadFile(name.c_str(), &contents, &complete)) contents.clear();
    if (lines) {
        if (!varName) return zorakWrongArgs(interp, argc, argv);
        int64_t stored = 0;
        size_t start = 0;
        while (start < contents.size() && (max == 0 || stored < max)) {
            size_t end = contents.find('\n', start);
            if (end == std::string::npos) end = contents.size();
            std::string line = contents.substr(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (noBlank && line.empty()) continue;
            char* index = zorakFormatInt(stored);
            int failed = array_set_element(interp, varName, index, line.c_str(), 0, 0);
            std::free(index);
            if (failed) break;
            stored++;
        }
        setResultNumber(interp, stored);
        return OK;
    }
    if (max > 0 && static_cast<int64_t>(contents.size()) > max)
        contents.resize(static_cast<size_t>(max));
    if (varName) {
        if (set_value(interp, varName, contents.c_str(), 1) != OK) return ERROR;
        setResultNumber(interp, static_cast<int64_t>(contents.size()));
        return OK;
    }
    if (contents.empty())
        zorakSetResult(interp, "", 0);
    else
        zorakSetResult(interp, contents.data(), static_cast<int>(contents.size()));
    return OK;
}

int zorakCommandWritefile(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool append = false, unescape = false, fromVar = false;
    int64_t length = 0;
    for (int i = 3; i < argc; i++) {
        if (argv[i][0] != '-')
            length = zorakLeadingInt(argv[i]);
        else if (zorakEqualNoCase(argv[i], "-append"))
            append = true;
        else if (std::strcmp(argv[i], "-unescape") == 0)
            unescape = true;
        else if (std::strcmp(argv[i], "-var") == 0)
            fromVar = true;
    }
    std::string data;
    if (fromVar) {
        Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
        if (!var || !var->value || var->type != VT_AUTO) {
            zorakSetResult(interp, "0", 0);
            return ERROR;
        }
        data = var->value;
    } else {
        data = argv[2];
    }
    if (unescape) {
        zorakUnescape(data.data());
        data.resize(std::strlen(data.c_str()));
    }
    // A length past the data's end writes the data, not what lies beyond it.
    size_t size = std::strlen(data.c_str());
    if (length > 0 && static_cast<uint64_t>(length) < size) size = static_cast<size_t>(length);
    std::string name = fileName(argv[1]);
    FILE* file = std::fopen(name.c_str(), append ? "ab" : "wb");
    bool ok = file && std::fwrite(data.data(), 1, size, file) == size;
    if (file && std::fclose(file) != 0) ok = false;
    zorakSetResult(interp, ok ? "1" : "0", 0);
    return OK;
}

} // namespace

long zorakChannelAdd(FILE* stream) {
    long handle = channels.next_handle++;
    channels.streams[handle] = stream;
    return handle;
}

FILE* zorakChannelStream(long handle) {
    auto found = channels.streams.find(handle);
    return found == channels.streams.end() ? nullptr : found->second;
}

FILE* zorakChannelFromWord(const char* word, bool standard) {
    if (standard) {
        if (zorakEqualNoCase(word, "stdin")) return stdin;
        if (zorakEqualNoCase(word, "stdout")) return stdout;
        if (zorakEqualNoCase(word, "stderr")) return stderr;
    }
    return zorakChannelStream(handleOf(word));
}

int zorakCommandOpen(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* mode = argc >= 3 ? argv[2] : "rb";
    std::string name = fileName(argv[1]);
    errno = 0;
    FILE* stream = validMode(mode) ? platformOpenStream(name.c_str(), mode) : nullptr;
    if (!stream) {
        zorakSetResult(interp, "0", 0);
        zorakReportError(interp,
                         errno == EACCES ? "%s: Access denied opening '%s' for mode %s access\n"
                                         : "%s: Failed to open file '%s' for mode %s access\n",
                         argv[0], name.c_str(), mode);
        return ERROR;
    }
    setResultNumber(interp, zorakChannelAdd(stream));
    return OK;
}

void zorakChannelCloseAll() {
    for (auto& [handle, stream] : channels.streams)
        std::fclose(stream);
    channels.streams.clear();
}

int zorakCommandClose(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    long handle = handleOf(argv[1]);
    FILE* stream = zorakChannelStream(handle);
    if (!stream) return invalidHandle(interp, argv[0]);
    channels.streams.erase(handle);
    zorakSetResult(interp, std::fclose(stream) == 0 ? "1" : "0", 0);
    return OK;
}

int zorakCommandGets(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 5) return zorakWrongArgs(interp, argc, argv);
    int64_t limit = 4096;
    const char* positional[2] = {nullptr, nullptr};
    int count = 0;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-length") && i + 1 < argc) {
            limit = zorakLeadingInt(argv[++i]);
            if (limit < 1) limit = 1;
        } else if (count < 2) {
            positional[count++] = argv[i];
        }
    }
    FILE* stream = stdin;
    if (const char* word = positional[0]) {
        if (std::strcmp(word, "-") == 0 || std::strcmp(word, "stdin") == 0) {
            stream = stdin;
        } else if (zorakIsDecimalNumber(word)) {
            stream = zorakChannelStream(handleOf(word));
            if (!stream) {
                zorakReportError(interp, "%s: Exception. Check file handle\n", argv[0]);
                return ERROR;
            }
        } else {
            zorakReportError(interp, "Unknown stream %s\n", word);
            return ERROR;
        }
    }
    const char* varName =
        positional[1] && std::strcmp(positional[1], "-") != 0 ? positional[1] : nullptr;
    std::string line;
    if (!readLine(stream, static_cast<size_t>(limit), &line)) {
        if (varName && set_value(interp, varName, "", 1) != OK) return ERROR;
        zorakSetResult(interp, "", 0);
        return OK;
    }
    if (!varName) {
        zorakSetResult(interp, line.c_str(), 0);
        return OK;
    }
    if (set_value(interp, varName, line.c_str(), 1) != OK) return ERROR;
    setResultNumber(interp, static_cast<int64_t>(line.size()));
    return OK;
}

int zorakCommandEof(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    FILE* stream = zorakChannelFromWord(argv[1], true);
    zorakSetResult(interp, !stream || std::feof(stream) ? "1" : "0", 0);
    return OK;
}

int zorakCommandFlush(Interpreter* interp, int argc, char** argv, void*) {
    FILE* stream = stdout;
    if (argc >= 2 && !zorakEqualNoCase(argv[1], "stdout")) {
        stream =
            zorakEqualNoCase(argv[1], "stderr") ? stderr : zorakChannelStream(handleOf(argv[1]));
        if (!stream) return invalidHandle(interp, argv[0]);
    }
    if (stream == stdout) platformFlushOut();
    zorakSetResult(interp, std::fflush(stream) == 0 ? "1" : "0", 0);
    return OK;
}

int zorakCommandTell(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    FILE* stream =
        zorakEqualNoCase(argv[1], "stdin") ? stdin : zorakChannelStream(handleOf(argv[1]));
    if (!stream) return invalidHandle(interp, argv[0]);
    setResultNumber(interp, platformStreamTell(stream));
    return OK;
}

int zorakCommandRewind(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    FILE* stream =
        zorakEqualNoCase(argv[1], "stdin") ? stdin : zorakChannelStream(handleOf(argv[1]));
    if (!stream) return invalidHandle(interp, argv[0]);
    std::rewind(stream);
    zorakSetResult(interp, platformStreamTell(stream) == 0 ? "1" : "0", 0);
    return OK;
}

void zorakRegisterFileChannelCommands(Interpreter* interp) {
    zorakSetChannelResolver(zorakChannelStream);
    zorakRegisterCommand(interp, "open", zorakCommandOpen, nullptr, 0);
    zorakRegisterCommand(interp, "close", zorakCommandClose, nullptr, 0);
    zorakRegisterCommand(interp, "gets", zorakCommandGets, nullptr, 0);
    zorakRegisterCommand(interp, "read", zorakCommandRead, nullptr, 0);
    zorakRegisterCommand(interp, "eof", zorakCommandEof, nullptr, 0);
    zorakRegisterCommand(interp, "flush", zorakCommandFlush, nullptr, 0);
    zorakRegisterCommand(interp, "tell", zorakCommandTell, nullptr, 0);
    zorakRegisterCommand(interp, "rewind", zorakCommandRewind, nullptr, 0);
    zorakRegisterCommand(interp, "readfile", zorakCommandReadfile, nullptr, 0);
    zorakRegisterCommand(interp, "writefile", zorakCommandWritefile, nullptr, 0);
}
