// SPDX-License-Identifier: MIT
#include "ingest/slogline.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quorvel {

namespace {

// The first byte of [p, end) that is one of Stops, or end; 16 bytes at a time where it can.
template <char... Stops> const char* findFirst(const char* p, const char* end)
{
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_setzero_si128();
        ((hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(Stops)))), ...);
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0)
            return p + std::countr_zero(mask);
        p += 16;
    }
#endif
    while (p < end && ((*p != Stops) && ...))
        ++p;
    return p;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The escapes of one letter, and the byte each one stands for.
constexpr std::string_view escapeLetters = "\"\\abfnrtv";
constexpr std::string_view escapeBytes = "\"\\\a\b\f\n\r\t\v";

// Whether the value of a \u or \U escape names a code point a value may hold.
bool isCodePoint(std::uint32_t code)
{
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Writes a code point's UTF-8 bytes at out; returns their number.
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

// Decodes onto out the escape whose letter is at q, just after its backslash, in a line that ends
// at end; returns where the value goes on, or nullptr when the escape cannot be read there.
const char* decodeEscape(const char* q, const char* end, std::string& out)
{
    if (q == end)
        return nullptr;
    if (const std::size_t at = escapeLetters.find(*q); at != std::string_view::npos) {
        out += escapeBytes[at];
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

// remoteAddr without its port: the address between the brackets of "[IPv6]:port", the part
// before the one ":" of "IPv4:port"; anything else as it is.
std::string_view hostOf(std::string_view address)
{
    if (address.starts_with('[')) {
        const std::size_t close = address.find(']');
        return close == std::string_view::npos ? address : address.substr(1, close - 1);
    }
    const std::size_t colon = address.find(':');
    if (colon != std::string_view::npos && address.find(':', colon + 1) == std::string_view::npos)
        return address.substr(0, colon);
    return address;
}

struct Message {
    std::string_view text;
    Side side;
};

// The transfer messages; each one's path key is the slot FilePath + its position.
constexpr Message messages[] = {
    {"Download file", Side::Download},
    {"Start folder download", Side::Download},
    {"File upload complete", Side::Upload},
    {"Folder upload started", Side::Upload},
};

// The eight bytes at p as one number.
std::uint64_t eightBytes(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The place of text's message in the table, or the table's size when it is none of them. Every
// message has at least eight bytes: they are compared as one number before the rest.
std::size_t messageOf(std::string_view text)
{
    for (std::size_t m = 0; m < std::size(messages); ++m)
        if (text.size() == messages[m].text.size() && eightBytes(text.data()) == eightBytes(messages[m].text.data()) &&
            text == messages[m].text)
            return m;
    return std::size(messages);
}

} // namespace

SlogReader::SlogReader(std::array<bool, 2> sides) : sides_(sides) {}

SlogReader::Slot SlogReader::slotOf(std::string_view key)
{
    // By length first: every line passes here once a key.
    switch (key.size()) {
    case 3:
        return key == "msg" ? Msg : None;
    case 4:
        return key == "time" ? Time : key == "Name" ? Name : key == "path" ? Path : None;
    case 5:
        return key == "level" ? Level : key == "login" ? Login : None;
    case 7:
        return key == "dstFile" ? DstFile : key == "dstPath" ? DstPath : None;
    case 8:
        return key == "filePath" ? FilePath : None;
    case 10:
        return key == "remoteAddr" ? Address : None;
    default:
        return None;
    }
}

void SlogReader::readPiece(std::string_view piece, Sink sink)
{
    const char* p = piece.data();
    const char* const end = p + piece.size();
    while (p < end) {
        if (!lineBegun_) {
            const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            if (lf != nullptr && readWholeLine(p, static_cast<const char*>(lf), sink)) {
                p = static_cast<const char*>(lf) + 1;
                continue;
            }
        }
        lineBegun_ = true;
        switch (state_) {
        case State::Key:
            p = readKey(p, end);
            break;
        case State::ValueStart:
            valueUnreadable_ = false;
            state_ = *p == '"' ? State::Quoted : State::Bare;
            p += *p == '"' ? 1 : 0;
            break;
        case State::Bare:
            p = readBare(p, end, sink);
            break;
        case State::Quoted:
            p = readQuoted(p, end);
            break;
        case State::Escape:
            p = readEscape(p);
            break;
        case State::Hex:
            p = readHex(p, end);
            break;
        case State::AfterQuote:
            if (*p == ' ') {
                state_ = State::Key;
                ++p;
            } else if (*p == '\r') {
                state_ = State::AfterQuoteCr;
                ++p;
            } else if (*p == '\n') {
                lineEnded(sink, false);
                ++p;
            } else {
                breakLine();
            }
            break;
        case State::AfterQuoteCr:
            if (*p == '\n') {
                lineEnded(sink, false);
                ++p;
            } else {
                breakLine();
            }
            break;
        case State::Skip:
            if (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
                lineEnded(sink, false);
                p = static_cast<const char*>(lf) + 1;
            } else {
                p = end;
            }
            break;
        }
    }
}

void SlogReader::finishFile(Sink sink)
{
    if (!lineBegun_)
        return;
    switch (state_) {
    case State::ValueStart:
        valueUnreadable_ = false;
        valueEnded();
        break;
    case State::Bare:
        valueEnded();
        break;
    case State::Key:    // a key without "=", or nothing after a space
    case State::Quoted: // an unterminated quote
    case State::Escape:
    case State::Hex:
    case State::AfterQuoteCr: // a CR not before a line end
        breakLine();
        break;
    case State::AfterQuote:
    case State::Skip:
        break;
    }
    lineEnded(sink, true);
}

const char* SlogReader::readKey(const char* p, const char* end)
{
    const char* stop = findFirst<'=', ' ', '"', '\n'>(p, end);
    const auto n = static_cast<std::size_t>(stop - p);
    if (keyLength_ + n <= keyBytes)
        std::memcpy(key_ + keyLength_, p, n);
    keyLength_ += n;
    if (stop == end)
        return end;
    if (*stop == '=' && keyLength_ > 0) {
        keyEnded();
        state_ = State::ValueStart;
        return stop + 1;
    }
    // An empty key, or a space, a quote or the line's end in one.
    breakLine();
    return stop;
}

void SlogReader::keyEnded()
{
    Slot slot = keyLength_ <= keyBytes ? slotOf(std::string_view(key_, keyLength_)) : None;
    keyLength_ = 0;
    static constexpr Slot slogOrder[3] = {Time, Level, Msg};
    if (pairs_ == 0)
        startsWithTime_ = slot == Time;
    if (pairs_ < 3) {
        slogOrder_ = slogOrder_ && slot == slogOrder[pairs_];
        sawSlogLine_ = sawSlogLine_ || (pairs_ == 2 && slogOrder_);
    }
    ++pairs_;
    if (slot != None && values_[slot].seen)
        slot = None; // the first of two pairs with one key counts
    if (slot != None) {
        values_[slot].seen = true;
        touched_ |= 1u << slot;
    }
    slot_ = slot;
}

const char* SlogReader::readBare(const char* p, const char* end, Sink sink)
{
    const char* stop = findFirst<' ', '\n', '"', '='>(p, end);
    if (slot_ != None)
        keep(p, stop);
    if (stop == end)
        return end;
    if (*stop == ' ') {
        state_ = State::Key;
        valueEnded();
        return stop + 1;
    }
    if (*stop == '\n') {
        if (slot_ != None && values_[slot_].bytes.ends_with('\r'))
            values_[slot_].bytes.pop_back(); // the CR of a CR LF line end
        valueEnded();
        lineEnded(sink, false);
        return stop + 1;
    }
    breakLine(); // a quote or "=" in a bare value
    return stop;
}

const char* SlogReader::readQuoted(const char* p, const char* end)
{
    const char* stop = findFirst<'"', '\\', '\n'>(p, end);
    if (slot_ != None)
        keep(p, stop);
    if (stop == end)
        return end;
    if (*stop == '"') {
        state_ = State::AfterQuote;
        valueEnded();
        return stop + 1;
    }
    if (*stop == '\\') {
        state_ = State::Escape;
        return stop + 1;
    }
    breakLine(); // the line ends inside the quotes
    return stop;
}

const char* SlogReader::readEscape(const char* p)
{
    const char c = *p;
    if (c == '\n') {
        breakLine();
        return p;
    }
    state_ = State::Quoted;
    if (const std::size_t at = escapeLetters.find(c); at != std::string_view::npos) {
        keepByte(escapeBytes[at]);
    } else if (c == 'x' || c == 'u' || c == 'U') {
        state_ = State::Hex;
        hex_ = 0;
        hexLeft_ = c == 'x' ? 2 : c == 'u' ? 4 : 8;
        hexRune_ = c != 'x';
    } else {
        unreadable_ = valueUnreadable_ = true;
    }
    return p + 1;
}

const char* SlogReader::readHex(const char* p, const char* end)
{
    for (; p < end && hexLeft_ > 0; ++p, --hexLeft_) {
        const int digit = hexDigit(*p);
        if (digit < 0) {
            // Too few digits: the escape cannot be read; the byte is read as the value's own.
            unreadable_ = valueUnreadable_ = true;
            state_ = State::Quoted;
            return p;
        }
        hex_ = hex_ << 4 | static_cast<std::uint32_t>(digit);
    }
    if (hexLeft_ > 0)
        return p;
    state_ = State::Quoted;
    if (!hexRune_)
        keepByte(static_cast<char>(hex_));
    else if (!isCodePoint(hex_))
        unreadable_ = valueUnreadable_ = true;
    else
        keepCodePoint(hex_);
    return p;
}

void SlogReader::keep(const char* from, const char* to)
{
    Value& v = values_[slot_];
    if (slot_ >= FilePath) {
        // Of a path, only the part after its last separator.
        for (const char* q = to; q > from; --q) {
            if (q[-1] == '/' || q[-1] == '\\') {
                v.bytes.clear();
                v.tooLong = false;
                from = q;
                break;
            }
        }
    }
    if (v.tooLong)
        return;
    const auto n = static_cast<std::size_t>(to - from);
    if (v.bytes.size() + n > slogValueLimit) {
        v.tooLong = true;
        v.bytes.clear();
        return;
    }
    v.bytes.append(from, n);
}

void SlogReader::keepByte(char c)
{
    if (slot_ != None)
        keep(&c, &c + 1);
}

void SlogReader::keepCodePoint(std::uint32_t code)
{
    char utf8[4];
    const std::size_t n = utf8Of(code, utf8);
    for (std::size_t k = 0; k < n; ++k)
        keepByte(utf8[k]);
}

void SlogReader::valueEnded()
{
    if (slot_ == Level) {
        levelBad_ = valueUnreadable_ || values_[Level].bytes != "INFO";
    } else if (slot_ == Msg) {
        messageSeen_ = true;
        for (std::size_t m = 0; m < std::size(messages) && !valueUnreadable_; ++m) {
            if (values_[Msg].bytes == messages[m].text) {
                messageKnown_ = true;
                side_ = messages[m].side;
                pathSlot_ = static_cast<Slot>(FilePath + m);
            }
        }
    }
    slot_ = None;
    // A line whose message is no transfer's, or whose level is not INFO once its first three
    // keys are read, is skipped whatever follows.
    if ((messageSeen_ && !messageKnown_) || (levelBad_ && pairs_ >= 3)) {
        skipped_ = SlogKind::Skipped;
        state_ = State::Skip;
    }
}

void SlogReader::breakLine()
{
    skipped_ = startsWithTime_ && messageKnown_ && !levelBad_ ? SlogKind::Damaged : SlogKind::Skipped;
    state_ = State::Skip;
}

SlogKind SlogReader::judge(bool unended) const
{
    if (levelBad_ || !values_[Level].seen || !messageKnown_ || !values_[pathSlot_].seen || !values_[Address].seen)
        return SlogKind::Skipped;
    if (unended || unreadable_ || !values_[Time].seen || !values_[Login].seen || !values_[Name].seen)
        return SlogKind::Damaged;
    for (const Slot column : {Time, Address, Login, Name, pathSlot_})
        if (values_[column].tooLong)
            return SlogKind::Damaged;
    return SlogKind::Transfer;
}

SlogReader::Prefix SlogReader::readPrefix(const char*& p, const char* end, std::string_view& stamp,
                                          std::size_t& message)
{
    // Whether the bytes at q are text's (its last byte, the literal's NUL, not compared): a
    // compare of a known size, made in place.
    const auto at = [end](const char* q, const auto& text) {
        constexpr std::size_t n = sizeof(text) - 1;
        return end - q >= static_cast<std::ptrdiff_t>(n) && std::memcmp(q, text, n) == 0;
    };
    if (!at(p, "time="))
        return Prefix::Other;
    const char* stampBegin = p + 5;
    const char* stampEnd = findFirst<' ', '"', '='>(stampBegin, end);
    if (!at(stampEnd, " level=") || static_cast<std::size_t>(stampEnd - stampBegin) > slogValueLimit)
        return Prefix::Other;
    const char* levelValue = stampEnd + 7;
    const char* text = nullptr;
    if (at(levelValue, "INFO msg=\"")) {
        text = levelValue + 10;
    } else {
        const char* levelEnd = findFirst<' ', '"', '='>(levelValue, end);
        if (levelEnd == end || *levelEnd != ' ')
            return Prefix::Other;
        if (std::string_view(levelValue, static_cast<std::size_t>(levelEnd - levelValue)) != "INFO") {
            // Whatever follows, a line whose level is another is skipped.
            sawSlogLine_ = sawSlogLine_ || at(levelEnd, " msg=");
            return Prefix::Skipped;
        }
        return Prefix::Other; // INFO, then no quoted message
    }
    sawSlogLine_ = true;
    const char* textEnd = findFirst<'"', '\\'>(text, end);
    if (textEnd == end)
        return Prefix::Skipped; // an unterminated quote breaks the line before a message is known
    if (*textEnd == '\\')
        return Prefix::Other;
    message = messageOf(std::string_view(text, static_cast<std::size_t>(textEnd - text)));
    if (message == std::size(messages) || !sides_[static_cast<std::size_t>(messages[message].side)])
        return Prefix::Skipped; // a message no transfer of a side read has settles the line
    const char* rest = textEnd + 1;
    if (rest < end && (*rest != ' ' || rest + 1 == end))
        return Prefix::Other;
    stamp = std::string_view(stampBegin, static_cast<std::size_t>(stampEnd - stampBegin));
    p = rest < end ? rest + 1 : end;
    return Prefix::Read;
}

bool SlogReader::readWholeLine(const char* p, const char* end, Sink sink)
{
    if (end > p && end[-1] == '\r')
        --end; // the CR of a CR LF line end
    std::string_view stamp;
    std::size_t message = 0;
    const Prefix prefix = readPrefix(p, end, stamp, message);
    if (prefix == Prefix::Skipped) {
        static constexpr SlogLine skippedLine{};
        sink.call(sink.onLine, skippedLine);
        return true;
    }
    decoded_.clear();
    PlainPairs pairs;
    std::size_t pair = 0;
    if (prefix == Prefix::Read) {
        pair = 3;
        pairs.found[Time] = stamp;
        pairs.found[Level] = "INFO";
        pairs.found[Msg] = messages[message].text;
        pairs.seen = 1u << Time | 1u << Level | 1u << Msg;
        pairs.messageKnown = true;
        pairs.side = messages[message].side;
        pairs.pathSlot = static_cast<Slot>(FilePath + message);
    }
    SlogLine line;
    std::array<Slot, 3> firstKeys{Time, Level, Msg}; // as read by the prefix, else overwritten
    if (pair == 0)
        firstKeys = {None, None, None};
    for (bool judged = pair == 3 && p == end; !judged; ++pair) {
        const char* equals = findFirst<'=', ' ', '"'>(p, end);
        if (equals == end || *equals != '=' || equals == p)
            return false;
        Slot slot = equals - p <= static_cast<std::ptrdiff_t>(keyBytes)
                        ? slotOf(std::string_view(p, static_cast<std::size_t>(equals - p)))
                        : None;
        if (pair < firstKeys.size())
            firstKeys[pair] = slot;
        if (slot != None && (pairs.seen >> slot & 1u) != 0)
            slot = None; // the first of two pairs with one key counts
        const char* value = equals + 1;
        std::string_view text; // the value, decoded
        if (value < end && *value == '"') {
            const char* close = readQuotedWhole(value + 1, end, text);
            if (close == nullptr)
                return false; // an escape that cannot be read, or no closing quote: read pair by pair
            p = close + 1;
            if (p < end && *p != ' ')
                return false;
        } else {
            const char* valueEnd = findFirst<' ', '"', '='>(value, end);
            if (valueEnd < end && *valueEnd != ' ')
                return false;
            text = std::string_view(value, static_cast<std::size_t>(valueEnd - value));
            p = valueEnd;
        }
        if (p < end && ++p == end)
            return false; // a space before the line's end
        if (slot != None) {
            pairs.seen |= 1u << slot;
            pairs.found[slot] = text;
            if (pairs.found[slot].size() > slogValueLimit)
                return false;
            if (slot == Level) {
                pairs.levelBad = pairs.found[Level] != "INFO";
            } else if (slot == Msg) {
                for (std::size_t m = 0; m < std::size(messages); ++m) {
                    if (pairs.found[Msg] == messages[m].text && sides_[static_cast<std::size_t>(messages[m].side)]) {
                        pairs.messageKnown = true;
                        pairs.side = messages[m].side;
                        pairs.pathSlot = static_cast<Slot>(FilePath + m);
                    }
                }
            }
        }
        // As when read pair by pair: once three pairs are read, a level other than INFO or a
        // message that is no transfer's settles the line whatever follows.
        const bool settled = pair >= 2 && (pairs.levelBad || ((pairs.seen >> Msg & 1u) != 0 && !pairs.messageKnown));
        judged = settled || p == end;
    }
    sawSlogLine_ = sawSlogLine_ || firstKeys == std::array<Slot, 3>{Time, Level, Msg};
    const auto has = [&](Slot slot) { return (pairs.seen >> slot & 1u) != 0; };
    if (pairs.levelBad || !has(Level) || !pairs.messageKnown || !has(pairs.pathSlot) || !has(Address)) {
        line.kind = SlogKind::Skipped;
    } else if (!has(Time) || !has(Login) || !has(Name)) {
        line.kind = SlogKind::Damaged;
        line.side = pairs.side;
    } else {
        std::string_view path = pairs.found[pairs.pathSlot];
        if (const std::size_t cut = path.find_last_of("/\\"); cut != std::string_view::npos)
            path.remove_prefix(cut + 1);
        line.kind = SlogKind::Transfer;
        line.side = pairs.side;
        line.columns = {pairs.found[Time], hostOf(pairs.found[Address]), pairs.found[Login], pairs.found[Name], path};
    }
    sink.call(sink.onLine, line);
    return true;
}

const char* SlogReader::readQuotedWhole(const char* q, const char* end, std::string_view& text)
{
    const char* stop = findFirst<'"', '\\'>(q, end);
    if (stop == end)
        return nullptr;
    if (*stop == '"') {
        text = std::string_view(q, static_cast<std::size_t>(stop - q));
        return stop;
    }
    // Every value decoded on this line from here on is written within [q, end), and none decodes
    // longer than it is written: reserved now, no view into the buffer moves.
    if (decoded_.empty())
        decoded_.reserve(static_cast<std::size_t>(end - q));
    const std::size_t from = decoded_.size();
    while (stop < end && *stop == '\\') {
        decoded_.append(q, stop);
        q = decodeEscape(stop + 1, end, decoded_);
        if (q == nullptr)
            return nullptr;
        stop = findFirst<'"', '\\'>(q, end);
    }
    if (stop == end)
        return nullptr;
    decoded_.append(q, stop);
    text = std::string_view(decoded_).substr(from);
    return stop;
}

void SlogReader::lineEnded(Sink sink, bool unended)
{
    SlogLine line;
    line.kind = state_ == State::Skip ? skipped_ : judge(unended);
    line.side = side_;
    if (line.kind == SlogKind::Transfer)
        line.columns = {values_[Time].bytes, hostOf(values_[Address].bytes), values_[Login].bytes, values_[Name].bytes,
                        values_[pathSlot_].bytes};
    sink.call(sink.onLine, line);
    resetLine();
}

void SlogReader::resetLine()
{
    for (std::uint32_t bits = touched_; bits != 0; bits &= bits - 1) {
        Value& v = values_[static_cast<std::size_t>(std::countr_zero(bits))];
        v.bytes.clear();
        v.seen = false;
        v.tooLong = false;
    }
    touched_ = 0;
    state_ = State::Key;
    skipped_ = SlogKind::Skipped;
    slot_ = None;
    keyLength_ = 0;
    pairs_ = 0;
    lineBegun_ = false;
    startsWithTime_ = false;
    unreadable_ = false;
    valueUnreadable_ = false;
    levelBad_ = false;
    messageSeen_ = false;
    messageKnown_ = false;
    slogOrder_ = true;
    side_ = Side::Download;
    pathSlot_ = None;
}

} // namespace quorvel
