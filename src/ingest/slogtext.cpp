// SPDX-License-Identifier: MIT
#include "ingest/slogtext.h"

namespace quorvel::slog {

std::size_t utf8Of(std::uint32_t code, char* out)
{
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | code >> 6);
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | code >> 12);
        out[1] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | code >> 18);
    out[1] = static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out[2] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

const char* decodeEscape(const char* q, const char* end, std::string& out)
{
    if (q == end)
        return nullptr;
    if (const int byte = escapedByte(*q); byte >= 0) {
        out += static_cast<char>(byte);
        return q + 1;
    }
    const std::size_t digits = *q == 'x' ? 2 : *q == 'u' ? 4 : *q == 'U' ? 8 : 0;
    if (digits == 0 || static_cast<std::size_t>(end - q - 1) < digits)
        return nullptr;
    std::uint32_t code = 0;
    for (std::size_t k = 1; k <= digits; ++k) {
        const int digit = hexDigit(q[k]);
        if (digit < 0)
            return nullptr;
        code = code << 4 | static_cast<std::uint32_t>(digit);
    }
    if (*q == 'x') {
        out += static_cast<char>(code);
    } else if (!isCodePoint(code)) {
        return nullptr;
    } else {
        char utf8[4];
        out.append(utf8, utf8Of(code, utf8));
    }
    return q + 1 + digits;
}

std::string_view hostOf(std::string_view address)
{
    const char* begin = address.data();
    const char* end = begin + address.size();
    if (address.starts_with('[')) {
        const char* close = findFirst<']'>(begin, end);
        return close == end ? address : std::string_view(begin + 1, static_cast<std::size_t>(close - begin - 1));
    }
    const char* colon = findFirst<':'>(begin, end);
    if (colon != end && findFirst<':'>(colon + 1, end) == end)
        return std::string_view(begin, static_cast<std::size_t>(colon - begin));
    return address;
}

} // namespace quorvel::slog
