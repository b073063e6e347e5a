#include "interp/parse_cache.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

namespace {

// Texts longer than this are tokenised as they run: they are rarely run twice.
constexpr int kLongestKept = 64 * 1024;
// Bytes of text and tokens kept at most; past it the cache starts afresh.
constexpr size_t kKeptBytes = 4 * 1024 * 1024;
// A text is kept from its second run on. Texts made for one run (an
// operator line with its operands, an eval of built text) are only
// remembered by their hash here, so they neither fill the cache nor evict
// the bodies that do run again.
constexpr size_t kSeenSlots = 4096;

// Most lookups are for the text a loop or a procedure ran a moment ago, at
// the same address: a few recent addresses are tried before the hash, their
// text still compared in full.
struct RecentScript {
    const char* address = nullptr;
    int length = 0;
    std::shared_ptr<const TokenList> list;
};
constexpr int kRecent = 64;

struct ParseCache {
    std::unordered_map<std::string_view, std::shared_ptr<const TokenList>> scripts;
    size_t bytes = 0;
    RecentScript recent[kRecent];
    size_t seen[kSeenSlots] = {};
};

ParseCache parseCache;

int32_t offset(const char* text, const char* at) {
    return at ? static_cast<int32_t>(at - text) : -1;
}

// Cuts the whole text the way an evaluation reads it: a {*} that does not
// open a quoted word leaves the tokeniser as after a separator.
std::shared_ptr<TokenList> tokenise(const char* script, int length) {
    auto list = std::make_shared<TokenList>();
    list->text.assign(script, static_cast<size_t>(length));
    const char* text = list->text.c_str();
    Parser p;
    zorakParserInit(&p, text, length);
    for (;;) {
        int failed = zorakGetToken(&p);
        CachedToken token;
        token.type = p.token_type;
        // An empty token ends one character before it starts, which may be
        // before the text itself; only a null end gets the mark -2.
        token.start = offset(text, p.token_start);
        token.end = p.token_end ? static_cast<int32_t>(p.token_end - text) : -2;
        token.pos = offset(text, p.pos);
        token.remaining = p.remaining;
        token.subscript_start = offset(text, p.subscript_start);
        token.subscript_end = offset(text, p.subscript_end);
        token.subscript_length = p.subscript_length;
        token.has_subscript = static_cast<int16_t>(p.has_subscript);
        token.failed = static_cast<int16_t>(failed);
        list->tokens.push_back(token);
        if (failed || p.token_type == PT_EOF) break;
        if (p.token_type == PT_EXPAND && !(p.remaining > 0 && *p.pos == '"')) p.token_type = PT_SEP;
    }
    return list;
}

} // namespace

std::shared_ptr<const TokenList> zorakParsedScript(const char* script, int length) {
    if (!script || length <= 0 || length > kLongestKept) return nullptr;
    ParseCache& cache = parseCache;
    size_t size = static_cast<size_t>(length);
    RecentScript& recent =
        cache.recent[((reinterpret_cast<uintptr_t>(script) >> 4) ^ size) % kRecent];
    if (recent.address == script && recent.length == length &&
        std::memcmp(recent.list->text.data(), script, size) == 0)
        return recent.list;
    std::shared_ptr<const TokenList> list;
    auto found = cache.scripts.find(std::string_view(script, size));
    if (found != cache.scripts.end()) {
        list = found->second;
    } else {
        size_t hash = std::hash<std::string_view>{}(std::string_view(script, size));
        size_t& seen = cache.seen[hash % kSeenSlots];
        if (seen != hash) {
            seen = hash;
            return nullptr;
        }
        std::shared_ptr<TokenList> fresh = tokenise(script, length);
        size_t kept = fresh->text.size() + fresh->tokens.size() * sizeof(CachedToken) + 64;
        if (cache.bytes + kept > kKeptBytes) {
            cache.scripts.clear();
            cache.bytes = 0;
        }
        cache.scripts.emplace(std::string_view(fresh->text), fresh);
        cache.bytes += kept;
        list = std::move(fresh);
    }
    recent.address = script;
    recent.length = length;
    recent.list = list;
    return list;
}
