// SPDX-License-Identifier: MIT
#pragma once

#include "model/side.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvel {

// The longest value of a record's column a modern log may hold (a file's name counts from its
// last separator): a longer one makes its record damaged, so that no line is held whole.
inline constexpr std::size_t slogValueLimit = 64u << 10;

// What a line of a modern server's log is.
enum class SlogKind {
    Skipped,  // not a transfer record: left out without a word
    Transfer, // a transfer record, its columns read
    Damaged,  // a transfer record that cannot be read: left out and counted for its side
};

// One line as the reader judged it. For a transfer, its five columns decoded, in the order of
// the classic log's columns: the stamp (`time` as written), the client's address (`remoteAddr`
// without its port, an IPv6 address without its brackets), the account (`login`), the user
// name (`Name`) and the file (the last part of the path value, after its last "/" or "\"). The
// views hold until the reader reads on.
struct SlogLine {
    SlogKind kind = SlogKind::Skipped;
    Side side = Side::Download; // of a transfer or a damaged transfer line
    std::array<std::string_view, 5> columns;
};

// Reads a modern server's log: one event a line, ending at LF (a CR just before it is dropped),
// in the text form of Go's log/slog: `key=value` pairs separated by one space. A value is bare
// (no space, `"` or `=`; a backslash is literal) or quoted as Go's strconv.Quote writes it:
// `\"`, `\\`, `\a \b \f \n \r \t \v`, `\xHH` (one raw byte), `\uHHHH` and `\UHHHHHHHH` (a code
// point, kept as UTF-8). The first of two pairs with one key counts.
//
// A transfer record is a line with `level=INFO`, a `msg` from the table below, that message's
// path key and `remoteAddr`:
//
//   msg                      side       path key
//   "Download file"          download   filePath
//   "Start folder download"  download   path
//   "File upload complete"   upload     dstFile
//   "Folder upload started"  upload     dstPath
//
// Any other line is skipped. A transfer record is damaged when `time`, `login` or `Name` is
// missing, a value of the line cannot be read (an unknown escape, a `\u` naming a surrogate or a
// code point above 10FFFF) or a column's value passes slogValueLimit. A line that cannot be
// split into pairs (a key without "=", a bare value holding `"` or `=`, a quote not followed by
// a space or the line's end, an unterminated quote) is damaged when it starts with `time=` and
// holds, before the point where it breaks, a `msg` from the table and no other level than INFO;
// otherwise it is skipped.
//
// The log is read in pieces of any size and a line may span many: nothing of a line is held but
// the values of the keys a record needs, so a skipped line of any length is never held whole.
// The same bytes give the same lines however they are cut into pieces.
class SlogReader {
public:
    // A reader of every line. One that wants one side only may judge a line of the other side's
    // messages as skipped, and does where that is quicker.
    explicit SlogReader(std::array<bool, 2> sides = {true, true});

    // Reads the next piece of a file; calls onLine(const SlogLine&) for every line that ends in
    // it, in order.
    template <class OnLine> void read(std::string_view piece, OnLine&& onLine) { readPiece(piece, sinkOf(onLine)); }
    // The end of a file: the line its last piece left unended, when there is one, is judged as
    // if it ended there, except that a transfer record is damaged (it was cut short: the server
    // ends every line). The next piece starts a new line.
    template <class OnLine> void finish(OnLine&& onLine) { finishFile(sinkOf(onLine)); }
    // Whether a line read so far began with the keys time, level and msg, in that order: what
    // marks a file as a modern server's log.
    bool sawSlogLine() const { return sawSlogLine_; }

private:
    // Where the reader stands in the current line.
    enum class State : std::uint8_t {
        Key,          // in a key (or before its first byte)
        ValueStart,   // just after "="
        Bare,         // in a bare value
        Quoted,       // in a quoted value
        Escape,       // after a backslash in a quoted value
        Hex,          // in the hexadecimal digits of an escape
        AfterQuote,   // after a closing quote
        AfterQuoteCr, // after a closing quote and a CR
        Skip,         // the line is judged: on to its end
    };
    // The keys a record reads.
    enum Slot : std::uint8_t { Time, Level, Msg, Address, Login, Name, FilePath, Path, DstFile, DstPath, None };
    static constexpr std::size_t slots = None;
    static constexpr std::size_t keyBytes = 16; // longer keys are none of the slots

    // Where judged lines go: a callable, called through one function pointer.
    struct Sink {
        void* onLine;
        void (*call)(void*, const SlogLine&);
    };
    template <class OnLine> static Sink sinkOf(OnLine& onLine)
    {
        return {const_cast<void*>(static_cast<const void*>(&onLine)),
                [](void* f, const SlogLine& line) { (*static_cast<OnLine*>(f))(line); }};
    }
    struct Value {
        std::string bytes;
        bool seen = false;
        bool tooLong = false;
    };

    void readPiece(std::string_view piece, Sink sink);
    // The pairs of a whole line read in one pass so far.
    struct PlainPairs {
        // By slot, the value of each slot seen (and only those: left unset, not cleared, as
        // every line passes here).
        struct Text {
            const char* data;
            std::size_t size;
            std::string_view view() const { return {data, size}; }
        };
        Text found[slots];
        std::uint32_t seen = 0; // one bit a slot
        bool levelBad = false;
        bool messageKnown = false; // a message of the table, of a side read
        Side side = Side::Download;
        Slot pathSlot = None;
    };
    // What the prefix the server writes before a line's other pairs tells of it.
    enum class Prefix : std::uint8_t {
        Skipped, // the line is skipped whatever follows
        Read,    // the prefix is read: a transfer's message of a side read
        Other,   // not that prefix, or not plain: the line is read from its start
    };

    // Judges a whole line [p, end) (without its LF) in one pass when every pair of it can be read
    // (no escape that cannot, nothing that breaks it), as reading it pair by pair would, and
    // passes it on; false, having judged nothing, for any other line.
    bool readWholeLine(const char* p, const char* end, Sink sink);
    // The rest of readWholeLine after the prefix, from p: the line's start, or past its prefix
    // when that was Read (its stamp and message). Apart, so that the many lines the prefix
    // settles pay nothing for what a line of pairs needs.
    [[gnu::noinline]] bool readPairs(const char* p, const char* end, Prefix prefix, std::string_view stamp,
                                     std::size_t message, Sink sink);
    // Reads a quoted value of a whole line from q, just after its opening quote: its text, in
    // place or, when it holds escapes, decoded into decoded_, and where its closing quote is
    // (close); close is nullptr when it holds an escape that cannot be read or has no closing
    // quote.
    std::string_view readQuotedWhole(const char* q, const char* end, const char*& close);
    // Reads the prefix `time=<stamp> level=<level> msg="<message>" ` of a whole line [p, end)
    // at its place; on Read, p is moved past it, stamp is the stamp's text and message the
    // message's place in the table.
    Prefix readPrefix(const char*& p, const char* end, std::string_view& stamp, std::size_t& message);
    void finishFile(Sink sink);
    // Each reads on from p in its state and returns where it stopped.
    const char* readKey(const char* p, const char* end);
    const char* readBare(const char* p, const char* end, Sink sink);
    const char* readQuoted(const char* p, const char* end);
    const char* readEscape(const char* p);
    const char* readHex(const char* p, const char* end);
    void keyEnded();
    void valueEnded();
    void keep(const char* from, const char* to);
    void keepByte(char c);
    void keepCodePoint(std::uint32_t code);
    void breakLine();
    void lineEnded(Sink sink, bool unended);
    SlogKind judge(bool unended) const;
    void resetLine();
    // The slot of the key at p when it is one a transfer record holds after its prefix, followed
    // by "=" (equals is then set to it): told in place without looking for its end; None for
    // any other key. At least 16 bytes must be there to read at p.
    static Slot recordKeyAt(const char* p, const char*& equals);
    // The slot of a key. Every pair of a line read passes here: told by its size, then compared
    // at that size in place.
    static Slot slotOf(std::string_view key)
    {
        const auto is = [&key](const auto& name) { return std::memcmp(key.data(), name, sizeof(name) - 1) == 0; };
        switch (key.size()) {
        case 3:
            return is("msg") ? Msg : None;
        case 4:
            return is("time") ? Time : is("Name") ? Name : is("path") ? Path : None;
        case 5:
            return is("level") ? Level : is("login") ? Login : None;
        case 7:
            return is("dstFile") ? DstFile : is("dstPath") ? DstPath : None;
        case 8:
            return is("filePath") ? FilePath : None;
        case 10:
            return is("remoteAddr") ? Address : None;
        default:
            return None;
        }
    }

    std::array<bool, 2> sides_; // by Side: the sides whose lines are read
    State state_ = State::Key;
    SlogKind skipped_ = SlogKind::Skipped; // what a line in Skip is
    Slot slot_ = None;                     // the value being read, when a record needs it
    char key_[keyBytes] = {};
    std::size_t keyLength_ = 0;
    std::size_t pairs_ = 0; // pairs begun on this line
    bool lineBegun_ = false;
    bool startsWithTime_ = false;
    bool unreadable_ = false;      // a value of the line cannot be read
    bool valueUnreadable_ = false; // the value being read cannot be read
    bool levelBad_ = false;        // a level other than INFO
    bool messageSeen_ = false;
    bool messageKnown_ = false; // a message of the table, read
    bool slogOrder_ = true;     // the keys so far were time, level, msg in that order
    bool sawSlogLine_ = false;
    std::size_t usualStamp_ = 0; // the size of the last stamp readPrefix looked for
    Side side_ = Side::Download;
    Slot pathSlot_ = None;
    std::uint32_t hex_ = 0; // the escape's value so far
    std::uint8_t hexLeft_ = 0;
    bool hexRune_ = false; // \u or \U, else \x
    std::array<Value, slots> values_;
    // The decoded values of the whole line being read, one behind the other.
    std::string decoded_;
    std::uint32_t touched_ = 0; // the values seen on this line, one bit each
};

} // namespace quorvel
