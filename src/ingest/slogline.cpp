// SPDX-License-Identifier: MIT
#include "ingest/slogline.h"

#include "ingest/slogtext.h"

#include <bit>
#include <cstring>

namespace quorvel {

using namespace slog;

SlogReader::SlogReader(std::array<bool, 2> sides) : sides_(sides) {}

void SlogReader::readPiece(std::string_view piece, Sink sink)
{
    const char* p = piece.data();
    const char* const end = p + piece.size();
    LineEnds ends(piece);
    while (p < end) {
        if (!lineBegun_) {
            const char* lf = ends.next(p);
            if (lf != nullptr && readWholeLine(p, lf, sink)) {
                p = lf + 1;
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
    if (const int byte = escapedByte(c); byte >= 0) {
        keepByte(static_cast<char>(byte));
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
