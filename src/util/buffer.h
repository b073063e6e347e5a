// A growable text buffer: the working copy that the expression engine and
// the preprocessor rewrite. It always holds a terminating zero after its
// bytes, so its text can be handed on as a C string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class Buffer {
  public:
    static constexpr size_t kInitialCapacity = 1000;

    Buffer() { text_.reserve(kInitialCapacity); }
    // A buffer sized for a text of about this many bytes.
    explicit Buffer(size_t capacity) { text_.reserve(capacity); }
    explicit Buffer(std::string_view text) {
        text_.reserve(text.size() < kInitialCapacity ? kInitialCapacity : text.size());
        text_.assign(text);
    }

    const char* c_str() const { return text_.c_str(); }
    std::string_view view() const { return text_; }
    size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    char operator[](size_t i) const { return text_[i]; }

    void append(std::string_view text) { text_.append(text); }
    void append(char c) { text_.push_back(c); }
    void assign(std::string_view text) { text_.assign(text); }
    void clear() { text_.clear(); }
    // Hands the bytes over, leaving the buffer empty.
    std::string take() { return std::move(text_); }
    std::string& str() { return text_; }

  private:
    std::string text_;
};
