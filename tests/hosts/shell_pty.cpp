// The shell on a terminal: the zorak host runs in a pseudo-terminal while
// this program types. Checks the prompt, editing with Left, recalling with Up,
// Tab completion of a command name, the history file, questions asked on
// the console and the exit status.
// Usage: shell_pty ZORAK HOME_DIRECTORY
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int master = -1;
std::string seen;
size_t matched = 0;

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "shell_pty: %s\n--- terminal output ---\n%s\n", why.c_str(), seen.c_str());
    std::exit(1);
}

// Waits until the text shows up after what was matched before.
void expect(const std::string& text) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        size_t at = seen.find(text, matched);
        if (at != std::string::npos) {
            matched = at + text.size();
            return;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) fail("no '" + text + "' in time");
        pollfd wait{master, POLLIN, 0};
        if (::poll(&wait, 1, static_cast<int>(left)) <= 0) continue;
        char buffer[4096];
        ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) fail("the terminal closed before '" + text + "'");
        seen.append(buffer, static_cast<size_t>(n));
    }
}

void type(const std::string& keys) {
    if (::write(master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
        fail("cannot type");
    // The line editor reads an Escape sequence as one key only when it
    // arrives at once; give each group of keys its own moment.
    ::usleep(100000);
}

std::vector<std::string> commandNames(const char* zorak) {
    std::string command = std::string("'") + zorak + "' -c 'puts [commands]' </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) fail("cannot list the commands");
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    ::pclose(pipe);
    std::istringstream words(text);
    std::vector<std::string> names;
    for (std::string word; words >> word;)
        names.push_back(word);
    return names;
}

// The shortest prefix of the name that no other command shares.
std::string uniquePrefix(const std::vector<std::string>& names, const std::string& name) {
    for (size_t length = 3; length < name.size(); length++) {
        std::string prefix = name.substr(0, length);
        int count = 0;
        for (const std::string& other : names)
            if (other.compare(0, length, prefix) == 0) count++;
        if (count == 1) return prefix;
    }
    fail("no unique prefix for " + name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: shell_pty ZORAK HOME\n");
        return 2;
    }
    const char* zorak = argv[1];
    std::string home = argv[2];
    ::mkdir(home.c_str(), 0700);
    std::string history = home + "/.zorak_history";
    std::remove(history.c_str());
    // autoexec prints its state, so the completed line shows that it ran.
    std::string prefix = uniquePrefix(commandNames(zorak), "autoexec");

    winsize size{};
    size.ws_row = 24;
    size.ws_col = 80;
    pid_t child = ::forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) fail("forkpty failed");
    if (child == 0) {
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("TERM", "xterm", 1);
        ::execl(zorak, zorak, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    // The banner, then the first prompt.
    expect("Zorak ");
    expect("> ");
    type("prompt {Z$g}\r");
    expect("[0:ok]");
    expect("Z> ");
    // Left moves back over the o, so the l lands before it.
    type("puts helo");
    type("\x1b[D");
    type("l\r");
    expect("\nhello");
    expect("Z> ");
    // Up recalls the line just run.
    type("\x1b[A");
    type("\r");
    expect("\nhello");
    expect("Z> ");
    // Tab completes the command name.
    type(prefix + "\t");
    type("\r");
    expect("Autoexec is ");
    expect("Z> ");
    // Among several names Tab completes what they share: strin to string
    // (string and string_to_array), and the line runs as typed after it.
    type("strin\t");
    type(" length abcd\r");
    expect("[0:ok]");
    expect("Z> ");
    // The console asks the questions of msgbox and input, and a typed
    // answer stays out of the history.
    type("puts =[msgbox Go? -yesno]\r");
    expect("[Y]es [N]o");
    type("n");
    expect("=no");
    expect("Z> ");
    type("puts =[input {Secret: }]\r");
    expect("Secret: ");
    type("s3cr3t\r");
    expect("=s3cr3t");
    expect("Z> ");
    type("exit 3\r");
    int status = 0;
    // Drain the terminal so the child is never blocked writing to it.
    for (int i = 0; i < 100; i++) {
        pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
        pollfd wait{master, POLLIN, 0};
        if (::poll(&wait, 1, 100) > 0) {
            char buffer[4096];
            ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) seen.append(buffer, static_cast<size_t>(n));
        }
        if (i == 99) fail("the shell did not end after exit 3");
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 3)
        fail("exit status " + std::to_string(WEXITSTATUS(status)) + ", wanted 3");
    std::ifstream saved(history);
    std::stringstream lines;
    lines << saved.rdbuf();
    // libedit keeps a blank as \040.
    if (lines.str().find("puts hello") == std::string::npos &&
        lines.str().find("puts\\040hello") == std::string::npos)
        fail("the history file lacks 'puts hello':\n" + lines.str());
    if (lines.str().find("s3cr3t\n") != std::string::npos)
        fail("the history file holds an answer:\n" + lines.str());
    std::printf("shell_pty: passed\n");
    return 0;
}
