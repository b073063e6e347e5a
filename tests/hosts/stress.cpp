// A host that leans on the library through its public exports only:
//   stress cycles N PLUGIN_DIR WORK  N cycles of zorak_command + zorak_exit
//                                    with a script that makes one of every
//                                    kind of state; resident memory after the
//                                    first tenth may grow by less than 1 MB
//   stress long N                    one call running at least N commands;
//                                    resident memory stays flat meanwhile
//   stress threads N                 threads calling the exports at once,
//                                    N calls each; every result intact
//   stress memory                    a script that exhausts memory ends with
//                                    code 1 and the memory error, and the
//                                    next call works (the test also looks for
//                                    the printed "out of memory")
// Prints what it measured and exits 0 when the check holds.
#include "zorak.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Resident memory in kB, from /proc/self/status.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

std::string run(const std::string& script, int* code) {
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, code);
    std::string text = result ? std::string(reinterpret_cast<const char*>(result)) : "(null)";
    SysFreeString(result);
    return text;
}

int cycles(long count, const std::string& pluginDir, const std::string& work) {
    // One of every kind of state the interpreter keeps, left in place for
    // zorak_exit to release: variables, procedures, arrays, dictionaries,
    // structs, stacks, an open file and a loaded plug-in.
    std::string script = "option autoexec off\n"
                         "set plain [string repeat x 200]; const k 5\n"
                         "proc add {a {b 1}} { set local [list $a $b]; return [+ $a $b] }\n"
                         "add 2 3\n"
                         "set colours(sky) blue; array set pairs {a 1 b 2 c 3}\n"
                         "dict set d name zorak; dict set d size 4\n"
                         "struct point {x 4 y 4}; => point.x abcd\n"
                         "stack create s 8; stack push s a b c\n"
                         "set f [open {" +
                         work +
                         "/cycle.txt} w]; puts $f hello\n"
                         "lib {" +
                         pluginDir +
                         "/sample} -replace\n"
                         "set greeting [sample_greet cycle]\n"
                         "list [add 2 3] [dict size $d] [stack count s] [-> point.x] $greeting\n";
    long baseline = 0;
    long warmup = count / 10;
    for (long i = 0; i < count; i++) {
        int code = -1;
        std::string result = run(script, &code);
        if (code != 0 || result != "5 2 3 abcd {Hello, cycle!}") {
            std::printf("cycle %ld: code %d result '%s'\n", i, code, result.c_str());
            return 1;
        }
        zorak_exit();
        if (i + 1 == warmup) baseline = residentKb();
    }
    long growth = residentKb() - baseline;
    std::printf("cycles %ld: resident growth after %ld cycles %ld kB\n", count, warmup, growth);
    return growth < 1024 ? 0 : 1;
}

// Samples resident memory while a long call runs.
struct Sampler {
    std::atomic<bool> stop{false};
    std::vector<long> samples;
    std::thread thread;

    void start() {
        thread = std::thread([this] {
            while (!stop) {
                samples.push_back(residentKb());
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    void finish() {
        stop = true;
        thread.join();
    }
};

int longScript(long commands) {
    // Three commands an iteration: the condition, incr and set.
    long iterations = commands / 3 + 1;
    std::string script = "option autoexec off\n"
                         "cmdcount {set i 0; while {[< $i " +
                         std::to_string(iterations) + "]} {incr i; set last $i}}";
    int code = -1;
    run("set warm 1", &code);
    Sampler sampler;
    sampler.start();
    std::string result = run(script, &code);
    sampler.finish();
    long ran = std::atol(result.c_str());
    if (code != 0 || ran < commands) {
        std::printf("long: code %d, %s commands\n", code, result.c_str());
        return 1;
    }
    // Flat: after the first fifth of the run, the peak stays within 1 MB of
    // the level reached by then.
    size_t n = sampler.samples.size();
    if (n < 10) {
        std::printf("long: %ld commands, too quick to sample (%zu samples)\n", ran, n);
        return 0;
    }
    long early = 0, peak = 0;
    for (size_t i = 0; i < n; i++) {
        if (i <= n / 5 && sampler.samples[i] > early) early = sampler.samples[i];
        if (sampler.samples[i] > peak) peak = sampler.samples[i];
    }
    std::printf("long: %ld commands, resident %ld kB early, %ld kB peak (%zu samples)\n", ran,
                early, peak, n);
    return peak - early < 1024 ? 0 : 1;
}

int threads(long calls) {
    std::atomic<int> failures{0};
    auto worker = [&](int id) {
        for (long i = 0; i < calls; i++) {
            // Each call stands alone: it sets and reads back its own value.
            std::string value = std::to_string(id) + "-" + std::to_string(i);
            std::string n = std::to_string(id);
            std::string script = "set t" + n + " {" + value + "}; catch {proc p" + n +
                                 " {v} {return $v}}; p" + n + " $t" + n;
            int code = -1;
            std::string result = run(script, &code);
            if (code != 0 || result != value) {
                if (failures++ < 5)
                    std::printf("thread %d call %ld: code %d '%s'\n", id, i, code, result.c_str());
            }
        }
    };
    // A third thread ends the interpreter now and then; the next call made
    // by either worker starts a fresh one.
    std::atomic<bool> done{false};
    std::thread ender([&] {
        while (!done) {
            zorak_exit();
            WriteLn("");
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    std::thread a(worker, 1), b(worker, 2);
    a.join();
    b.join();
    done = true;
    ender.join();
    zorak_exit();
    std::printf("threads: %ld calls each, %d failures\n", calls, failures.load());
    return failures == 0 ? 0 : 1;
}

int memory() {
    int code = -1;
    std::string result =
        run("option autoexec off\nset s x\nwhile 1 {append s $s}\nputs unreachable", &code);
    int first = code;
    std::string message = run("set ::errorMsg", &code) + " " + run("set ::errorCode", &code);
    bool failed = first == 1 && message == "Memory allocation 5";
    std::string after = run("set kept [string repeat y 3]", &code);
    std::printf("memory: code %d, message '%s', then '%s' code %d\n", first, message.c_str(),
                after.c_str(), code);
    zorak_exit();
    return failed && code == 0 && after == "yyy" ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::string mode = argc > 1 ? argv[1] : "";
    long count = argc > 2 ? std::atol(argv[2]) : 0;
    if (mode == "cycles" && argc == 5) return cycles(count, argv[3], argv[4]);
    if (mode == "long" && argc == 3) return longScript(count);
    if (mode == "threads" && argc == 3) return threads(count);
    if (mode == "memory") return memory();
    std::fprintf(stderr, "usage: stress cycles N PLUGIN_DIR WORK | long N | threads N | memory\n");
    return 2;
}
