#include "interp/evaluator.h"

#include "commands/list_core.h"
#include "console/console.h"
#include "interp/debugger.h"
#include "interp/errors.h"
#include "interp/parse_cache.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/sanitizer.h"
#include "util/number_text.h"
#include "util/stack.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Stack that must stay free below an evaluation for the handlers it calls.
constexpr size_t kStackReserve = (kAddressSanitizer ? 512 : 96) * 1024;

// Stack left when the outermost evaluation began; deep nesting may use all
// but a share of it.
size_t stackAtEntry = 0;
bool faultReported = false;

int frameLevel(Interpreter* interp) {
    return interp->callframe ? interp->callframe->level : 0;
}

// The up to 30 characters before a token, never before the start of the text.
const char* contextBefore(const Parser& p, const char* at) {
    if (!at) return p.text;
    return at - p.text > 30 ? at - 30 : p.text;
}

} // namespace

bool zorakInterrupted(Interpreter* interp) {
    if (!platformTakeInterrupt()) return false;
    // Ctrl-C ends the running script, not the host.
    zorakReportError(interp, "eval: Interrupted by the user\n");
    return true;
}

namespace {

// Ctrl-C is taken as a request to stop the script while the outermost
// evaluation runs; outside it the host's own handling applies.
class InterruptWatch {
  public:
    explicit InterruptWatch(bool outermost) : active_(outermost) {
        if (active_) platformInterruptWatchBegin();
    }
    ~InterruptWatch() {
        if (active_) platformInterruptWatchEnd();
    }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

  private:
    bool active_;
};

class DepthGuard {
  public:
    explicit DepthGuard(int* depth) : depth_(depth) { ++*depth_; }
    ~DepthGuard() { --*depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int* depth_;
};

// Counts the text of the evaluations in progress. Each nested evaluation
// holds copies of the words it is running, so a deep nest of large texts
// (an eval of an eval of ...) would use memory in proportion to depth times
// size; past the limit the nest fails like one that is too deep.
class NestedText {
  public:
    explicit NestedText(size_t length) : length_(length) { zorakEval.nested_text += length_; }
    ~NestedText() { zorakEval.nested_text -= length_; }
    NestedText(const NestedText&) = delete;
    NestedText& operator=(const NestedText&) = delete;

  private:
    size_t length_;
};

// Restores the current frame, and the frame's record of the command it is
// executing, when a dispatch ends however it ends.
class FrameRestore {
  public:
    explicit FrameRestore(Interpreter* interp) : interp_(interp), saved_(interp->callframe) {}
    ~FrameRestore() { interp_->callframe = saved_; }
    FrameRestore(const FrameRestore&) = delete;
    FrameRestore& operator=(const FrameRestore&) = delete;

  private:
    Interpreter* interp_;
    CallFrame* saved_;
};

// Reports a fault that a handler let out, once per outermost evaluation.
void reportFault() {
    if (faultReported) return;
    OpenConsole(0);
    console_printf("Exception in kuvetEval after line %li (WinError:%li)\r\n", zorakEval.checkpoint,
                   0L);
    faultReported = true;
}

// The frame records the words of the command it is executing while the
// handler runs; the words belong to this dispatch, so the frame must not keep
// them afterwards.
class FrameWords {
  public:
    FrameWords(CallFrame* frame, int argc, char** argv) : frame_(frame) {
        if (!frame_) return;
        argc_ = frame_->argc;
        argv_ = frame_->argv;
        frame_->argc = argc;
        frame_->argv = argv;
    }
    ~FrameWords() {
        if (!frame_) return;
        frame_->argc = argc_;
        frame_->argv = argv_;
    }
    FrameWords(const FrameWords&) = delete;
    FrameWords& operator=(const FrameWords&) = delete;

  private:
    CallFrame* frame_;
    int argc_ = 0;
    char** argv_ = nullptr;
};

// Pops the call trace entry of a dispatch however the dispatch ends.
class CallTraceEntry {
  public:
    explicit CallTraceEntry(bool pushed) : pushed_(pushed) {}
    ~CallTraceEntry() {
        if (pushed_) zorakStackPop(zorakEval.call_trace, nullptr);
    }
    CallTraceEntry(const CallTraceEntry&) = delete;
    CallTraceEntry& operator=(const CallTraceEntry&) = delete;

  private:
    bool pushed_;
};

// Calls a handler. No C++ exception passes a handler call: a fault inside
// becomes a report and ERROR.
int callHandler(Interpreter* interp, CommandHandler handler, int argc, char** argv, void* data) {
    FrameWords words(interp->callframe, argc, argv);
    DepthGuard depth(&zorakEval.command_depth);
    try {
        return handler(interp, argc, argv, data);
    } catch (const std::bad_alloc&) {
        // The command's own blocks are gone with the unwinding, so the
        // report and the script after it usually find memory again.
        zorakReportOutOfMemory(interp, argc > 0 ? argv[0] : nullptr);
    } catch (...) {
        reportFault();
    }
    return ERROR;
}

// Short words are the commonest allocation of all: the blocks of one
// command's words are kept for the words of the next ones instead of going
// back to the heap and out again.
class WordBlocks {
  public:
    static constexpr size_t kBlock = 24;
    static constexpr int kKept = 256;

    WordBlocks() = default;
    WordBlocks(const WordBlocks&) = delete;
    WordBlocks& operator=(const WordBlocks&) = delete;
    ~WordBlocks() {
        while (count_ > 0)
            std::free(blocks_[--count_]);
    }
    char* copy(std::string_view text) {
        if (text.size() >= kBlock || count_ == 0) return zorakStrDup(text);
        char* block = blocks_[--count_];
        if (!text.empty()) std::memcpy(block, text.data(), text.size());
        block[text.size()] = '\0';
        return block;
    }
    // Empties the word vector, keeping what blocks it can.
    void release(StringVector* words) {
        for (int i = 0; i < words->count; i++) {
            char* word = words->items[i];
            if (word && count_ < kKept && platformHeapBlockSize(word) >= kBlock)
                blocks_[count_++] = word;
            else
                std::free(word);
        }
        words->count = 0;
        if (words->items) words->items[0] = nullptr;
    }

  private:
    char* blocks_[kKept] = {};
    int count_ = 0;
};

WordBlocks wordBlocks;

// Values shorter than this are copied: a copy costs less than the
// bookkeeping, and most words stay the evaluator's own.
constexpr size_t kLendMinimum = 4096;

struct WordReader {
    CommandHandler handler;
    WordReaderTest reads_only;
};
WordReader wordReaders[8];
int wordReaderCount = 0;

bool readsOnly(CommandHandler handler, int argc, char** argv) {
    for (int i = 0; i < wordReaderCount; i++)
        if (wordReaders[i].handler == handler)
            return !wordReaders[i].reads_only || wordReaders[i].reads_only(argc, argv);
    return false;
}

struct LentWord {
    int index;
    WordOrigin origin;
    // Keeps a shared rendering alive while it is lent.
    std::shared_ptr<const std::string> keep;
};

// The lent words of the command whose handler is running, if any.
const std::vector<LentWord>* activeLent = nullptr;
char** activeWords = nullptr;

class Evaluation {
  public:
    Evaluation(Interpreter* interp, const char* script, int length, int16_t substituteOnly,
               int16_t noVariables, bool parse = true)
        : interp_(interp), substituteOnly_(substituteOnly), noVariables_(noVariables) {
        zorakParserInit(&parser_, script, length);
        if (parse) tokens_ = zorakParsedScript(script, length);
    }
    ~Evaluation() { forgetLentWords(); }
    Evaluation(const Evaluation&) = delete;
    Evaluation& operator=(const Evaluation&) = delete;
    int run();
    // Runs one command whose words are already made, as run() would run a
    // line that cuts into exactly these words.
    int runWords(int argc, const char* const* words);

  private:
    int substituteVariable(std::string_view name, char** out, bool newWord = false);
    int substituteCommand(std::string_view text, char** out);
    void reportMissingVariable(const char* name, long site);
    int dereference(std::string_view braced, char** out);
    int resolveSubscript(const char* arrayName, char** out);
    int runCommand();
    bool mayLend(const Var* var, bool newWord);
    int wordCount() { return words_->count; }
    void ownLentWords();
    void forgetLentWords();
    int dispatchFound(Command* cmd);
    int dispatchMissing();
    void expandList(char* text);
    void appendWord(char* owned);

    int nextToken() {
        if (!tokens_) return zorakGetToken(&parser_);
        return zorakReplayToken(&parser_, tokens_->tokens[next_++]);
    }

    Interpreter* interp_;
    Parser parser_;
    std::shared_ptr<const TokenList> tokens_;
    size_t next_ = 0;
    ScopedVector words_;
    std::vector<LentWord> lent_;
    // Set by substituteVariable when the word it made is a lent value.
    bool lentNow_ = false;
    WordOrigin lentOrigin_{};
    std::shared_ptr<const std::string> lentKeep_;
    int16_t substituteOnly_;
    int16_t noVariables_;
    bool expand_ = false;
    int code_ = OK;
};

bool Evaluation::mayLend(const Var* var, bool newWord) {
    if (!newWord || expand_ || substituteOnly_ || wordCount() == 0 || zorakSettings.step_mode)
        return false;
    if (var->type == VT_DICTIONARY) return zorakVarHooks.dict_render_shared != nullptr;
    return !var->parent && var->value && platformHeapBlockSize(var->value) >= kLendMinimum;
}

// Gives every lent word of the command being assembled a copy of its own:
// from here on something may change the variables they came from.
void Evaluation::ownLentWords() {
    for (const LentWord& word : lent_)
        words_->items[word.index] = zorakStrDup(words_->items[word.index]);
    lent_.clear();
}

// Takes the lent words out of the word vector before it is released.
void Evaluation::forgetLentWords() {
    for (const LentWord& word : lent_)
        words_->items[word.index] = nullptr;
    lent_.clear();
}

void Evaluation::appendWord(char* owned) {
    zorakVectorAppendOwned(&words_.get(), owned);
}

void Evaluation::expandList(char* text) {
    HeapText owned(text);
    zorakSetResult(interp_, text, 0);
    interp_->subst_code = 0;
    ScopedVector elements;
    zorakSplitList(text, &elements.get());
    // Each element becomes one word exactly as the list holds it: the words
    // are not evaluated again, so "$" and "[" in an element stay text.
    for (int i = 0; i < elements->count; i++)
        appendWord(zorakStrDup(elements->items[i]));
}

void Evaluation::reportMissingVariable(const char* name, long site) {
    bool suspicious = zorakEval.suspicious_expand_line != 0;
    if (suspicious && site == 15099) {
        // The element-named variable is reported in one message, {*} hint included.
        zorakReportError(
            interp_,
            "(%li) eval: No variable '%s' at level %i near term:'%-.30s'...\n\tPossible "
            "problem {*} was found after line %li\n",
            15094L, name, frameLevel(interp_), contextBefore(parser_, parser_.token_start),
            zorakEval.suspicious_expand_line);
        zorakSetResult(interp_, "", 0);
        return;
    }
    bool printed =
        zorakReportError(interp_, "(%li) eval: No variable '%s' at level %i near term:\n'",
                         suspicious ? 15439L : site, name, frameLevel(interp_));
    if (printed && !zorakLibrary.cgi_mode) {
        std::string before;
        const char* tokenAt = parser_.token_start;
        for (const char* c = contextBefore(parser_, tokenAt); c < tokenAt; c++) {
            bool space = *c == ' ' || *c == '\t' || *c == '\n' || *c == '\r';
            if (space && !before.empty() && before.back() == ' ') continue;
            before += space ? ' ' : *c;
        }
        std::string from;
        for (const char* c = tokenAt; *c && from.size() < 31; c++) {
            if (*c == ' ' || *c == '\t' || *c == '"') break;
            from += *c;
        }
        Writes(before.c_str());
        {
            SavedColours colours;
            set_text_attribute(224);
            Writes(from.c_str());
        }
        Writes("'\n");
        if (suspicious) Writes("Check for problematic {*} operator");
    }
    zorakSetResult(interp_, "", 0);
}

int Evaluation::resolveSubscript(const char* arrayName, char** out) {
    ownLentWords();
    std::string_view raw = parser_.subscript();
    if (raw.empty()) {
        zorakReportError(interp_, "eval_resolve: Unknown error parsing array\n");
        return 1;
    }
    size_t start = raw.find_first_not_of(" \t");
    size_t end = raw.find_last_not_of(" \t");
    std::string key =
        start == std::string_view::npos ? "" : std::string(raw.substr(start, end - start + 1));
    key = zorakUnescapeBlanks(key);
    // An empty key would leave the previous result in place of the key.
    if (key.empty() || kuvetEval(interp_, key.c_str(), 1, 0) != OK || !interp_->result ||
        !*interp_->result) {
        zorakReportError(interp_, "eval: Error parsing array subscript '%s'\n", key.c_str());
        return 1;
    }
    HeapText resolved(zorakStrDup(interp_->result));
    const char* value = zorakArrayGetElement(interp_, arrayName, resolved.get());
    if (!value) {
        zorakReportError(interp_, "eval: No array item '%s(%s)' in current scope\n", arrayName,
                         resolved.get());
        return 1;
    }
    *out = zorakStrDup(value);
    return 0;
}

// The text between a braced name's outer braces.
std::string unbrace(std::string_view braced) {
    size_t close = braced.rfind('}');
    if (close == std::string_view::npos || close == 0) return std::string(braced.substr(1));
    return std::string(braced.substr(1, close - 1));
}

// Reads the variable a name refers to, the way a plain reference does: a
// struct member through the struct layer (its value is an address only that
// layer may follow), a dictionary as its text form, anything else as its value.
std::string plainValue(Interpreter* interp, const char* name, bool* found) {
    Var* var = name[0] == ':' && name[1] == ':' ? zorakGetVar(interp, name + 2, kScopeGlobal)
                                                : zorakGetVar(interp, name, kScopeCurrent);
    *found = var != nullptr;
    if (!var) return "";
    char* (*render)(Interpreter*, Var*) = nullptr;
    if (var->type == VT_FIELD) {
        render = zorakVarHooks.struct_member_text;
        if (!render) return "";
    } else if (var->type == VT_DICTIONARY) {
        render = zorakVarHooks.dict_render;
    }
    if (!render) return var->value ? var->value : "";
    HeapText text(render(interp, var));
    return text.get() ? text.get() : "";
}

// $$name, ${braced} and their combinations: the inner reference names the
// variable to read, once for every extra "$".
int Evaluation::dereference(std::string_view token, char** out) {
    ownLentWords();
    size_t extra = 0;
    while (extra < token.size() && token[extra] == '$')
        extra++;
    std::string name(token.substr(extra));
    if (!name.empty() && name.front() == '{') {
        name = unbrace(name);
        // Variable references inside the braces name the variable to read.
        if (name.find('$') != std::string::npos) {
            int code = kuvetEval(interp_, name.c_str(), 1, 0);
            if (code != OK) return code;
            name = interp_->result ? interp_->result : "";
        }
    }
    bool found = false;
    std::string value = plainValue(interp_, name.c_str(), &found);
    for (size_t i = 0; found && i < extra; i++) {
        value = zorakUnescapeBlanks(value);
        std::string next = plainValue(interp_, value.c_str(), &found);
        value = next;
    }
    if (!found) {
        std::string shown(token);
        zorakReportError(interp_, "(%li) eval: No variable reference to '%s' at level %i\n", 15187L,
                         shown.c_str(), frameLevel(interp_));
        zorakSetResult(interp_, "", 0);
        return ERROR;
    }
    *out = zorakStrDup(value);
    return OK;
}

int Evaluation::substituteVariable(std::string_view token, char** out, bool newWord) {
    std::string name(token);
    bool subscripted =
        parser_.has_subscript && parser_.subscript_start && parser_.subscript_length > 0;
    if (!name.empty() && (name[0] == '$' || name[0] == '{')) {
        if (!subscripted) return dereference(token, out);
        size_t extra = name.find_first_not_of('$');
        std::string arrayName = name.substr(extra == std::string::npos ? name.size() : extra);
        if (!arrayName.empty() && arrayName.front() == '{') arrayName = unbrace(arrayName);
        HeapText element;
        if (resolveSubscript(arrayName.c_str(), element.out())) {
            zorakReportError(interp_, "(%li) eval: No variable reference to '%s' at level %i\n",
                             15141L, name.c_str(), frameLevel(interp_));
            zorakSetResult(interp_, "", 0);
            return ERROR;
        }
        std::string value = element.get();
        for (size_t i = 0; i < extra; i++) {
            bool found = false;
            std::string next = plainValue(interp_, value.c_str(), &found);
            if (!found) {
                reportMissingVariable(value.c_str(), 15099);
                return ERROR;
            }
            value = next;
        }
        *out = zorakStrDup(value);
        return OK;
    }
    if (noVariables_) {
        *out = zorakStrDup("$");
        zorakStrAppend(out, name.c_str());
        return OK;
    }
    if (subscripted) {
        if (resolveSubscript(name.c_str(), out)) {
            zorakReportError(interp_, "(%li) eval: No variable reference to '%s' at level %i\n",
                             15373L, name.c_str(), frameLevel(interp_));
            zorakSetResult(interp_, "", 0);
            return ERROR;
        }
        return OK;
    }
    // A plain value is copied once, straight into the word.
    Var* var = name[0] == ':' && name[1] == ':'
                   ? zorakGetVar(interp_, name.c_str() + 2, kScopeGlobal)
                   : zorakGetVar(interp_, name.c_str(), kScopeCurrent);
    if (var && var->type != VT_FIELD && var->type != VT_DICTIONARY) {
        if (mayLend(var, newWord)) {
            *out = var->value;
            lentNow_ = true;
            lentOrigin_ = WordOrigin{var, zorakValueStamp(var)};
            return OK;
        }
        *out = wordBlocks.copy(var->value ? var->value : "");
        return OK;
    }
    // A dictionary's rendering is already a fresh text: it becomes the word.
    if (var && var->type == VT_DICTIONARY && mayLend(var, newWord)) {
        uint64_t stamp = 0;
        std::shared_ptr<const std::string> shared = zorakVarHooks.dict_render_shared(var, &stamp);
        if (shared && shared->size() >= kLendMinimum) {
            *out = const_cast<char*>(shared->c_str());
            lentNow_ = true;
            lentOrigin_ = WordOrigin{var, stamp};
            lentKeep_ = std::move(shared);
            return OK;
        }
    }
    if (var && var->type == VT_DICTIONARY && zorakVarHooks.dict_render) {
        char* text = zorakVarHooks.dict_render(interp_, var);
        *out = text ? text : zorakStrDup("");
        return OK;
    }
    bool found = false;
    std::string value = plainValue(interp_, name.c_str(), &found);
    if (!found) {
        reportMissingVariable(name.c_str(), 15488);
        return ERROR;
    }
    *out = zorakStrDup(value);
    return OK;
}

int Evaluation::substituteCommand(std::string_view text, char** out) {
    ownLentWords();
    HeapText script(wordBlocks.copy(text));
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        // A bracketed number is its own value: [123] runs no command.
        zorakSetResult(interp_, script.get(), 0);
        *out = script.release();
        return OK;
    }
    int code = kuvetEval(interp_, script.get(), 0, 0);
    if (code != OK && code != RETURN && code != BREAK) return code;
    interp_->subst_code = code;
    *out = wordBlocks.copy(interp_->result ? interp_->result : "");
    return OK;
}

int Evaluation::run() {
    for (;;) {
        int previous = parser_.token_type;
        if (nextToken()) {
            char context[256];
            std::snprintf(context, sizeof context, "eval: Parse error near term:\n'%-.30s'...",
                          contextBefore(parser_, parser_.token_start));
            zorakSetErrorCode(interp_, 1, context);
            return ERROR;
        }
        int kind = parser_.token_type;
        if (kind == PT_EXPAND && !(parser_.remaining > 0 && *parser_.pos == '"')) {
            expand_ = true;
            parser_.token_type = PT_SEP;
            continue;
        }
        if (kind == PT_EOF) return code_;
        if (kind == PT_SEP) continue;
        if (kind == PT_EOL) {
            int code = runCommand();
            forgetLentWords();
            wordBlocks.release(&words_.get());
            // A {*} with no word after it expands nothing in the next command.
            expand_ = false;
            if (code >= 0) return code;
            continue;
        }
        bool newWord = previous == PT_SEP || previous == PT_EOL || words_->count == 0;
        if (!newWord && !lent_.empty() && lent_.back().index == words_->count - 1) {
            // More text joins a lent word: it becomes a copy of its own.
            char*& last = words_->items[words_->count - 1];
            last = zorakStrDup(last);
            lent_.pop_back();
        }
        HeapText text;
        if (kind == PT_VAR) {
            char* word = nullptr;
            int code = substituteVariable(parser_.token(), &word, newWord);
            if (code != OK) return code;
            if (lentNow_) {
                lentNow_ = false;
                lent_.push_back(LentWord{words_->count, lentOrigin_, std::move(lentKeep_)});
                lentKeep_.reset();
                zorakVectorAppendOwned(&words_.get(), word);
                continue;
            }
            text.reset(word);
        } else if (kind == PT_CMD) {
            int code = substituteCommand(parser_.token(), text.out());
            if (code != OK) return code;
        } else {
            text.reset(wordBlocks.copy(parser_.token()));
        }
        if (newWord) {
            if (kind == PT_ESC) expand_ = false;
            if (expand_) {
                expand_ = false;
                expandList(text.release());
            } else {
                appendWord(text.release());
            }
        } else {
            zorakStrAppend(&words_->items[words_->count - 1], text.get());
        }
    }
}

int Evaluation::runWords(int argc, const char* const* words) {
    for (int i = 0; i < argc; i++)
        appendWord(wordBlocks.copy(words[i]));
    int code = runCommand();
    forgetLentWords();
    wordBlocks.release(&words_.get());
    return code >= 0 ? code : code_;
}

// Runs the assembled command. Returns -1 to go on with the next command, or
// the code that ends this evaluation.
int Evaluation::runCommand() {
    if (words_->count == 0) return -1;
    if (zorakInterrupted(interp_)) return STOP;
    if (substituteOnly_) {
        for (int i = 1; i < words_->count; i++)
            zorakUnescape(words_->items[i]);
        HeapText joined(zorakJoinWords(nullptr, words_->count, words_->items));
        zorakSetResult(interp_, joined.get() ? joined.get() : "", 0);
        return code_;
    }
    FrameRestore restore(interp_);
    const char* name = words_->items[0];
    char first = name[0];
    if ((first >= '0' && first <= '9') || first == '.' || first == '+' || first == '-') {
        if (zorakIsDecimalNumber(name)) {
            // A leading number is its own result, so "42" runs no command.
            zorakSetResult(interp_, name, 0);
            code_ = OK;
            return -1;
        }
    }
    bool global = name[0] == ':' && name[1] == ':';
    if (global) interp_->callframe = frame_at_level(interp_, 0);
    Command* cmd = zorakGetCommand(interp_, name);
    // Handlers shared by several names (! and ~, break and continue, max and
    // min) tell them apart by the command word, so a command found through
    // the global prefix sees its own name.
    if (cmd && global) std::memmove(words_->items[0], name + 2, std::strlen(name + 2) + 1);
    return cmd ? dispatchFound(cmd) : dispatchMissing();
}

int Evaluation::dispatchFound(Command* cmd) {
    CommandHandler handler = cmd->handler;
    void* data = cmd->private_data;
    bool isProc = cmd->is_proc != 0;
    int argc = words_->count;
    char** argv = words_->items;
    if (!lent_.empty() && (zorakSettings.step_mode || !readsOnly(handler, argc, argv)))
        ownLentWords();
    bool traced = zorakDebugIsTraced(interp_, argv[0]);
    uint32_t counter = interp_->command_counter;
    if (traced) zorakDebugTraceExec(interp_, argc, argv);
    interp_->command_counter++;
    CallTraceEntry entry(zorakSettings.stacktrace && zorakDebugPushCallTrace(argc, argv));
    if (zorakSettings.step_mode && zorakDebugStepPrompt(interp_, argv[0]) == STOP) return STOP;
    if (std::strcmp(argv[0], "set") != 0) interp_->result_kind = 0;
    const std::vector<LentWord>* outerLent = activeLent;
    char** outerWords = activeWords;
    activeLent = lent_.empty() ? nullptr : &lent_;
    activeWords = argv;
    int code = handler ? callHandler(interp_, handler, argc, argv, data) : ERROR;
    activeLent = outerLent;
    activeWords = outerWords;
    if (traced) zorakDebugTraceReturn(interp_, counter, argv[0]);
    if (code == RETURN) {
        if (isProc) {
            // A procedure's return ends only the procedure.
            code_ = frameLevel(interp_) < 1 ? OK : RETURN;
            return -1;
        }
        // Any other command's return ends this evaluation; at the top of a
        // script it is a successful end.
        return zorakEval.command_depth == 0 ? OK : RETURN;
    }
    code_ = code;
    return code == OK ? -1 : code;
}

int Evaluation::dispatchMissing() {
    ownLentWords();
    Command* exec = zorakSettings.autoexec ? zorakGetCommand(interp_, "exec") : nullptr;
    if (exec) {
        interp_->command_counter++;
        int code =
            callHandler(interp_, exec->handler, words_->count, words_->items, exec->private_data);
        code_ = code;
        return code == OK ? -1 : code;
    }
    Command* unknown = zorakGetCommand(interp_, "unknown");
    int code;
    if (unknown) {
        zorakVectorInsert(&words_.get(), 0, "unknown");
        interp_->command_counter++;
        code = callHandler(interp_, unknown->handler, words_->count, words_->items,
                           unknown->private_data);
    } else {
        // Without an exec command nothing can run the word as a program either.
        zorakReportError(interp_,
                         zorakSettings.autoexec
                             ? "eval: Command or proc '%.50s' was not found\n"
                             : "eval: Command or proc '%.50s' was not found (autoexec is OFF)\n",
                         words_->items[0]);
        zorakSetResult(interp_, "", 0);
        code = ERROR;
    }
    if (code == RETURN && frameLevel(interp_) < 1) code = OK;
    code_ = code;
    return code == OK ? -1 : code;
}

} // namespace

namespace {

// An outermost evaluation, run on the large stack.
struct OuterEvaluation {
    Interpreter* interp;
    const char* script;
    int16_t substitute_only;
    int16_t no_variables;
    int code = ERROR;
    std::exception_ptr fault;
};

void runOuterEvaluation(void* data) {
    auto* outer = static_cast<OuterEvaluation*>(data);
    try {
        outer->code =
            kuvetEval(outer->interp, outer->script, outer->substitute_only, outer->no_variables);
    } catch (...) {
        outer->fault = std::current_exception();
    }
}

} // namespace

void zorakLendWordsTo(CommandHandler handler, WordReaderTest reads_only) {
    for (int i = 0; i < wordReaderCount; i++)
        if (wordReaders[i].handler == handler) return;
    if (wordReaderCount < static_cast<int>(sizeof wordReaders / sizeof wordReaders[0]))
        wordReaders[wordReaderCount++] = WordReader{handler, reads_only};
}

bool zorakWordOrigin(const char* word, WordOrigin* origin) {
    if (!activeLent || !word) return false;
    for (const LentWord& lent : *activeLent) {
        if (activeWords[lent.index] == word) {
            *origin = lent.origin;
            return true;
        }
    }
    return false;
}

// The checks and guards every evaluation runs under: the result emptied,
// the nesting counted and limited, Ctrl-C watched at the outermost level,
// and a fault reported on its way out.
template <class Run> int guardedEvaluation(Interpreter* interp, const char* text, Run run) {
    // Emptied in place: the same empty result without a fresh allocation.
    if (interp->result) {
        interp->result[0] = '\0';
        interp->result_length = 0;
    } else {
        zorakSetResult(interp, "", 0);
    }
    size_t length = std::strlen(text);
    DepthGuard depth(&zorakEval.eval_depth);
    // The outermost script may be as long as it likes, and so may a file
    // that it runs directly; only nesting counts.
    bool outerFile = zorakEval.outer_file;
    zorakEval.outer_file = false;
    NestedText nested(zorakEval.eval_depth > 1 && !outerFile ? length : 0);
    size_t remaining = platformStackRemaining();
    InterruptWatch watch(zorakEval.eval_depth == 1);
    if (zorakEval.eval_depth == 1) {
        stackAtEntry = remaining;
        faultReported = false;
    }
    size_t reserve = stackAtEntry / 4 < kStackReserve ? stackAtEntry / 4 : kStackReserve;
    if (zorakEval.eval_depth > kMaxEvalDepth || remaining < reserve ||
        zorakEval.nested_text > kMaxNestedText || length > kMaxScriptLength) {
        zorakReportError(interp, "eval: Script nested too deeply (%i levels)\n",
                         zorakEval.eval_depth);
        return ERROR;
    }
    try {
        return run(length);
    } catch (const std::bad_alloc&) {
        // Reported as out of memory where it is caught.
        throw;
    } catch (...) {
        reportFault();
        throw;
    }
}

int kuvetEval(Interpreter* interp, const char* script, int16_t substitute_only,
              int16_t no_variables) {
    if (!interp) {
        console_printf("Assertion failed: i != NULL\n");
        return ERROR;
    }
    if (!script || !*script) return OK;
    if (zorakEval.eval_depth == 0 && !platformOnLargeStack()) {
        // Deep recursion must not depend on the host's stack: the outermost
        // evaluation moves to a large stack of the library's own.
        OuterEvaluation outer{interp, script, substitute_only, no_variables, ERROR, nullptr};
        if (platformRunOnLargeStack(runOuterEvaluation, &outer)) {
            if (outer.fault) std::rethrow_exception(outer.fault);
            return outer.code;
        }
    }
    return guardedEvaluation(interp, script, [&](size_t length) {
        Evaluation evaluation(interp, script, static_cast<int>(length), substitute_only,
                              no_variables);
        return evaluation.run();
    });
}

int kuvetEvalWords(Interpreter* interp, const char* line, int argc, const char* const* words) {
    // Only inside an evaluation: the outermost one moves to the large stack.
    if (!interp || !line || !*line || argc < 1 || zorakEval.eval_depth == 0)
        return kuvetEval(interp, line, 0, 0);
    return guardedEvaluation(interp, line, [&](size_t length) {
        Evaluation evaluation(interp, line, static_cast<int>(length), 0, 0, false);
        return evaluation.runWords(argc, words);
    });
}
