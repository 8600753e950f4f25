#include "conversion/Extension.h"

namespace vq3 {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset where the last three characters begin (0 when there are fewer).
size_t StartOfLastThree(std::string_view text) {
    size_t offset = text.size();
    for (int characters = 0; characters < 3 && offset > 0; ++characters) {
        do {
            --offset;
        } while (offset > 0 && IsContinuationByte(text[offset]));
    }
    return offset;
}

} // namespace

std::string LastThreeLower(std::string_view text) {
    std::string tail(text.substr(StartOfLastThree(text)));
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return tail;
}

std::string ReplaceLastThree(std::string_view text, std::string_view extension) {
    std::string replaced(text.substr(0, StartOfLastThree(text)));
    replaced += extension;
    return replaced;
}

} // namespace vq3
