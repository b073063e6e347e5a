#include "platform/posix/ansi_keys.h"

namespace {

constexpr int kExtended = 224;

// Final letters shared by the CSI and SS3 forms.
AnsiKey keyForFinal(char final) {
    switch (final) {
    case 'A':
        return {kExtended, 72}; // up
    case 'B':
        return {kExtended, 80}; // down
    case 'C':
        return {kExtended, 77}; // right
    case 'D':
        return {kExtended, 75}; // left
    case 'H':
        return {kExtended, 71}; // home
    case 'F':
        return {kExtended, 79}; // end
    case 'P':
        return {0, 59}; // F1 to F4
    case 'Q':
        return {0, 60};
    case 'R':
        return {0, 61};
    case 'S':
        return {0, 62};
    case 'Z':
        return {0, 15}; // Shift+Tab
    default:
        return {};
    }
}

// "CSI n ~" keys: the number before the first ";" names the key.
AnsiKey keyForNumber(int number) {
    switch (number) {
    case 1:
    case 7:
        return {kExtended, 71}; // home
    case 2:
        return {kExtended, 82}; // insert
    case 3:
        return {kExtended, 83}; // delete
    case 4:
    case 8:
        return {kExtended, 79}; // end
    case 5:
        return {kExtended, 73}; // page up
    case 6:
        return {kExtended, 81}; // page down
    case 23:
        return {kExtended, 133}; // F11
    case 24:
        return {kExtended, 134}; // F12
    default:
        break;
    }
    if (number >= 11 && number <= 15) return {0, 59 + number - 11}; // F1 to F5
    if (number >= 17 && number <= 21) return {0, 64 + number - 17}; // F6 to F10
    return {};
}

bool isFinalByte(char c) {
    return c >= 0x40 && c <= 0x7E;
}

} // namespace

bool ansiKeySequenceComplete(std::string_view sequence) {
    if (sequence.empty()) return false;
    if (sequence[0] == 'O') return sequence.size() >= 2;
    if (sequence[0] != '[') return true;
    // The Linux console sends F1 to F5 as "[[A" to "[[E".
    if (sequence.size() >= 2 && sequence[1] == '[') return sequence.size() >= 3;
    for (size_t i = 1; i < sequence.size(); i++)
        if (isFinalByte(sequence[i])) return true;
    return false;
}

AnsiKey ansiKeyFromSequence(std::string_view sequence) {
    if (!ansiKeySequenceComplete(sequence)) return {};
    if (sequence[0] == 'O') return sequence.size() == 2 ? keyForFinal(sequence[1]) : AnsiKey{};
    if (sequence[0] != '[') return {};
    if (sequence[1] == '[') {
        char c = sequence[2];
        return sequence.size() == 3 && c >= 'A' && c <= 'E' ? AnsiKey{0, 59 + (c - 'A')}
                                                            : AnsiKey{};
    }
    char final = sequence.back();
    std::string_view params = sequence.substr(1, sequence.size() - 2);
    for (char c : params)
        if (!((c >= '0' && c <= '9') || c == ';')) return {};
    if (final != '~') return keyForFinal(final);
    int number = 0;
    for (char c : params) {
        if (c == ';') break;
        if (number > 1000) return {};
        number = number * 10 + (c - '0');
    }
    return keyForNumber(number);
}
