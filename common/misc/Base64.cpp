#include "common/misc/Base64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool Base64Decode(std::string_view text, std::string& bytes) {
    bytes.clear();
    for (std::size_t pos = 0; pos < text.size(); pos += 4) {
        int values[4];
        int n = 0;  // characters of this group before "=" or the end
        bool stop = false;
        for (; n < 4 && pos + static_cast<std::size_t>(n) < text.size(); ++n) {
            const char c = text[pos + static_cast<std::size_t>(n)];
            if (c == '=') break;
            values[n] = ValueOf(c);
            if (values[n] < 0) {
                stop = true;
                break;
            }
        }
        if (n >= 2) bytes.push_back(static_cast<char>((values[0] << 2) | (values[1] >> 4)));
        if (n >= 3) bytes.push_back(static_cast<char>(((values[1] & 15) << 4) | (values[2] >> 2)));
        if (n >= 4) bytes.push_back(static_cast<char>(((values[2] & 3) << 6) | values[3]));
        if (stop) break;
    }
    return !bytes.empty();
}
