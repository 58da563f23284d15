// SPDX-License-Identifier: MIT
// The whole-line pass of SlogReader: a line that lies whole in a piece, read in one pass.
#include "ingest/slogline.h"

#include "ingest/slogtext.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

using namespace slog;

static_assert(std::ranges::all_of(messages, [](const Message& m) { return m.text.size() >= 8 && m.text.size() <= 24; }),
              "readPrefix compares a message as three numbers of eight bytes");

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
    // A log's stamps have one size as a rule: a stamp of the last one's size ends there when
    // none of its bytes would end it sooner (looked for in its first and last 16 bytes).
    const char* stampEnd = nullptr;
    if (const std::size_t n = usualStamp_; n >= 16 && n <= 32 && static_cast<std::size_t>(end - stampBegin) > n &&
                                           stampBegin[n] == ' ' &&
                                           (stopMask<' ', '"', '='>(stampBegin) |
                                            stopMask<' ', '"', '='>(stampBegin + n - 16)) == 0) {
        stampEnd = stampBegin + n;
    } else {
        stampEnd = findFirst<' ', '"', '='>(stampBegin, end);
        usualStamp_ = static_cast<std::size_t>(stampEnd - stampBegin);
    }
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
    const char* textEnd = nullptr;
    message = std::size(messages);
    if (end - text >= 8) {
        // The message told by its first eight bytes: none of the table's, and no escape among
        // them that could make it one, settles the line, closed or not.
        const std::uint64_t first = eightBytes(text);
        message = 0;
        while (message < std::size(messages) && first != eightBytes(messages[message].text.data()))
            ++message;
        if (message == std::size(messages) && !hasByte(first, '\\'))
            return Prefix::Skipped;
        if (message < std::size(messages)) {
            const std::string_view known = messages[message].text;
            // Every message has 8 to 24 bytes: compared as three numbers of eight, the first
            // already, the last two overlapping as they must.
            const std::size_t n = known.size();
            if (static_cast<std::size_t>(end - text) > n && text[n] == '"' &&
                eightBytes(text + n / 2 - 4) == eightBytes(known.data() + n / 2 - 4) &&
                eightBytes(text + n - 8) == eightBytes(known.data() + n - 8))
                textEnd = text + known.size();
        }
    }
    if (textEnd == nullptr) {
        textEnd = findFirst<'"', '\\'>(text, end);
        if (textEnd == end)
            return Prefix::Skipped; // an unterminated quote breaks the line before a message is known
        if (*textEnd == '\\')
            return Prefix::Other;
        message = messageOf(std::string_view(text, static_cast<std::size_t>(textEnd - text)));
    }
    if (message == std::size(messages) || !sides_[static_cast<std::size_t>(messages[message].side)])
        return Prefix::Skipped; // a message no transfer of a side read has settles the line
    const char* rest = textEnd + 1;
    if (rest < end && (*rest != ' ' || rest + 1 == end))
        return Prefix::Other;
    stamp = std::string_view(stampBegin, static_cast<std::size_t>(stampEnd - stampBegin));
    p = rest < end ? rest + 1 : end;
    return Prefix::Read;
}

SlogReader::Slot SlogReader::recordKeyAt(const char* p, const char*& equals)
{
    Slot slot = None;
    const auto at = [&](Slot keyed, const auto& key) {
        constexpr std::size_t n = sizeof(key) - 1;
        if (slot == None && std::memcmp(p, key, n) == 0) {
            slot = keyed;
            equals = p + n - 1;
        }
    };
    // In the order the server writes them.
    at(Address, "remoteAddr=");
    at(Login, "login=");
    at(Name, "Name=");
    at(FilePath, "filePath=");
    at(Path, "path=");
    at(DstFile, "dstFile=");
    at(DstPath, "dstPath=");
    return slot;
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
    return readPairs(p, end, prefix, stamp, message, sink);
}

bool SlogReader::readPairs(const char* p, const char* end, Prefix prefix, std::string_view stamp, std::size_t message,
                           Sink sink)
{
    decoded_.clear();
    PlainPairs pairs;
    std::size_t pair = 0;
    if (prefix == Prefix::Read) {
        pair = 3;
        pairs.found[Time] = {stamp.data(), stamp.size()};
        pairs.found[Level] = {"INFO", 4};
        pairs.found[Msg] = {messages[message].text.data(), messages[message].text.size()};
        pairs.seen = 1u << Time | 1u << Level | 1u << Msg;
        pairs.messageKnown = true;
        pairs.side = messages[message].side;
        pairs.pathSlot = static_cast<Slot>(FilePath + message);
    }
    std::array<Slot, 3> firstKeys{Time, Level, Msg}; // as read by the prefix, else overwritten
    if (pair == 0)
        firstKeys = {None, None, None};
    for (bool judged = pair == 3 && p == end; !judged; ++pair) {
        const char* equals = nullptr;
        Slot slot = end - p >= 16 ? recordKeyAt(p, equals) : None;
        if (slot == None) {
            equals = findFirst<'=', ' ', '"'>(p, end);
            if (equals == end || *equals != '=' || equals == p)
                return false;
            slot = equals - p <= static_cast<std::ptrdiff_t>(keyBytes)
                       ? slotOf(std::string_view(p, static_cast<std::size_t>(equals - p)))
                       : None;
        }
        if (pair < firstKeys.size())
            firstKeys[pair] = slot;
        if (slot != None && (pairs.seen >> slot & 1u) != 0)
            slot = None; // the first of two pairs with one key counts
        const char* value = equals + 1;
        std::string_view text; // the value, decoded
        if (value < end && *value == '"') {
            const char* close = nullptr;
            text = readQuotedWhole(value + 1, end, close);
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
            pairs.found[slot] = {text.data(), text.size()};
            if (text.size() > slogValueLimit)
                return false;
            if (slot == Level) {
                pairs.levelBad = text != "INFO";
            } else if (slot == Msg) {
                for (std::size_t m = 0; m < std::size(messages); ++m) {
                    if (text == messages[m].text && sides_[static_cast<std::size_t>(messages[m].side)]) {
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
        sink.call(sink.onLine, SlogLine{});
    } else if (!has(Time) || !has(Login) || !has(Name)) {
        sink.call(sink.onLine, SlogLine{SlogKind::Damaged, pairs.side, {}});
    } else {
        std::string_view path = pairs.found[pairs.pathSlot].view();
        if (const char* cut = findLast<'/', '\\'>(path.data(), path.data() + path.size()))
            path.remove_prefix(static_cast<std::size_t>(cut + 1 - path.data()));
        sink.call(sink.onLine, SlogLine{SlogKind::Transfer,
                                        pairs.side,
                                        {pairs.found[Time].view(), hostOf(pairs.found[Address].view()),
                                         pairs.found[Login].view(), pairs.found[Name].view(), path}});
    }
    return true;
}

std::string_view SlogReader::readQuotedWhole(const char* q, const char* end, const char*& close)
{
    const char* stop = findFirst<'"', '\\'>(q, end);
    if (stop == end)
        return {};
    if (*stop == '"') {
        close = stop;
        return {q, static_cast<std::size_t>(stop - q)};
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
            return {};
        stop = findFirst<'"', '\\'>(q, end);
    }
    if (stop == end)
        return {};
    decoded_.append(q, stop);
    close = stop;
    return std::string_view(decoded_).substr(from);
}

} // namespace quorvel
