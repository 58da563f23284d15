// SPDX-License-Identifier: MIT
// The modern log's line reader: each escape, the record rules and their traps, and the same
// lines however the bytes are cut into pieces.
#include "ingest/slogline.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace quorvel {
namespace {

using namespace std::literals;

// A judged line with its columns copied out.
struct Judged {
    SlogKind kind = SlogKind::Skipped;
    Side side = Side::Download;
    std::array<std::string, 5> columns;
    bool operator==(const Judged&) const = default;
};

void PrintTo(const Judged& j, std::ostream* os)
{
    *os << (j.kind == SlogKind::Transfer  ? "transfer"
            : j.kind == SlogKind::Damaged ? "damaged"
                                          : "skipped")
        << ' ' << (j.side == Side::Download ? "download" : "upload");
    for (const std::string& c : j.columns)
        *os << " [" << ::testing::PrintToString(c) << ']';
}

// Every line of text, read in pieces of `piece` bytes by a reader of `sides`, then the end of
// the file.
std::vector<Judged> judged(std::string_view text, std::size_t piece = std::string_view::npos,
                           std::array<bool, 2> sides = {true, true})
{
    std::vector<Judged> lines;
    const auto onLine = [&](const SlogLine& line) {
        Judged j{line.kind, line.kind == SlogKind::Skipped ? Side::Download : line.side, {}};
        for (std::size_t k = 0; k < 5; ++k)
            j.columns[k] = line.columns[k];
        lines.push_back(j);
    };
    SlogReader reader(sides);
    for (std::size_t at = 0; at < text.size(); at += piece)
        reader.read(text.substr(at, piece), onLine);
    reader.finish(onLine);
    return lines;
}

Judged transfer(Side side, std::string stamp, std::string address, std::string account, std::string user,
                std::string file)
{
    return {SlogKind::Transfer, side, {stamp, address, account, user, file}};
}

std::string repeated(std::string_view text, std::size_t times)
{
    std::string all;
    for (std::size_t k = 0; k < times; ++k)
        all += text;
    return all;
}

Judged damaged(Side side)
{
    return {SlogKind::Damaged, side, {}};
}

const Judged skipped{};

constexpr std::string_view stamp = "time=2026-03-14T21:07:52-04:00";
// A download record's keys after its message, with a name of choice.
std::string downloadWith(std::string_view name)
{
    return std::string(stamp) +
           " level=INFO msg=\"Download file\" remoteAddr=203.0.113.45:61022 login=guest Name=" + std::string(name) +
           " filePath=/srv/Files/Games/Glider.sit\n";
}

struct LineCase {
    const char* what;
    std::string text;
    Judged expected;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.what;
}

class OneLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(OneLine, IsJudgedByTheRecordRules)
{
    const std::vector<Judged> lines = judged(GetParam().text);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.front(), GetParam().expected);
}

Judged glider(std::string user)
{
    return transfer(Side::Download, "2026-03-14T21:07:52-04:00", "203.0.113.45", "guest", std::move(user),
                    "Glider.sit");
}

std::vector<LineCase> escapeCases()
{
    // A download record whose last pair is x=<tail>.
    const auto endingWith = [](std::string_view tail) {
        return std::string(stamp) +
               " level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 login=g Name=k filePath=f x=" +
               std::string(tail);
    };
    return {
        {"Bare", downloadWith("marla"), glider("marla")},
        {"BareBackslashIsLiteral", downloadWith("a\\nb\\"), glider("a\\nb\\")},
        {"BareWith8BitBytes", downloadWith("Ren\x8e\xff"), glider("Ren\x8e\xff")},
        {"QuotedSpace", downloadWith("\"DJ Pluto\""), glider("DJ Pluto")},
        {"Empty", downloadWith("\"\""), glider("")},
        {"QuoteAndBackslash", downloadWith(R"("say \"hi\" \\o/")"), glider(R"(say "hi" \o/)")},
        {"LetterEscapes", downloadWith(R"("\a\b\f\n\r\t\v")"), glider("\a\b\f\n\r\t\v")},
        {"HexBytes", downloadWith(R"("Ren\x8e\x00\xFF\x7f")"), glider("Ren\x8e\0\xff\x7f"s)},
        {"FourDigitCodePoints", downloadWith(R"("\u00e9\u00A0\u200b\uffff")"),
         glider("\xC3\xA9\xC2\xA0\xE2\x80\x8B\xEF\xBF\xBF")},
        {"EightDigitCodePoints", downloadWith(R"("\U0001F600\U0010ffff\U00000041")"),
         glider("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"
                "A")},
        {"RawBytesInsideQuotes", downloadWith("\"a\tb\rc\x01\""), glider("a\tb\rc\x01")},
        {"UnknownEscape", downloadWith(R"("a\qb")"), damaged(Side::Download)},
        {"ApostropheEscape", downloadWith(R"("a\'b")"), damaged(Side::Download)},
        {"OctalEscape", downloadWith(R"("\101")"), damaged(Side::Download)},
        {"ShortHex", downloadWith(R"("\x4")"), damaged(Side::Download)},
        {"ShortHexBeforeQuote", downloadWith(R"("\u12" x")"), damaged(Side::Download)},
        {"Surrogate", downloadWith(R"("\ud800")"), damaged(Side::Download)},
        {"LastSurrogate", downloadWith(R"("\uDFFF")"), damaged(Side::Download)},
        {"BeyondUnicode", downloadWith(R"("\U00110000")"), damaged(Side::Download)},
        {"UnreadableValueOfAnotherKey", downloadWith(R"(x extra="\z")"), damaged(Side::Download)},
        {"BackslashAtTheLineEnd", endingWith("\"a\\\n"), damaged(Side::Download)},
        {"BackslashBeforeCrLf", endingWith("\"a\\\r\n"), damaged(Side::Download)},
        {"HexCutByTheLineEnd", endingWith("\"\\x4\n"), damaged(Side::Download)},
        {"EightDigitsCutByTheLineEnd", endingWith("\"\\U0001F6\n"), damaged(Side::Download)},
        {"EscapesInSeveralColumns",
         std::string(stamp) + R"( level=INFO msg="Download file" remoteAddr="\x31.2.3.4:5" login="g\u00e9" )" +
             R"(Name=")" + repeated(R"(\u00e9)", 40) + R"(" filePath="/a/)" + repeated(R"(\x41)", 300) + "\"\n",
         transfer(Side::Download, "2026-03-14T21:07:52-04:00", "1.2.3.4", "g\xC3\xA9", repeated("\xC3\xA9", 40),
                  std::string(300, 'A'))},
    };
}

std::string line(std::string_view pairs)
{
    return std::string(stamp) + " " + std::string(pairs) + "\n";
}

std::vector<LineCase> recordCases()
{
    const std::string who = " remoteAddr=198.51.100.9:50003 login=guest Name=kit ";
    const auto kit = [](Side side, std::string file, std::string address = "198.51.100.9") {
        return transfer(side, "2026-03-14T21:07:52-04:00", std::move(address), "guest", "kit", std::move(file));
    };
    return {
        {"DownloadFile", line("level=INFO msg=\"Download file\"" + who + "filePath=/a/b/Glider.sit"),
         kit(Side::Download, "Glider.sit")},
        {"FolderDownload", line("level=INFO msg=\"Start folder download\"" + who + "path=config/Files/Fonts"),
         kit(Side::Download, "Fonts")},
        {"FileUpload", line("level=INFO msg=\"File upload complete\"" + who + "dstFile=\"/up/mix tape 3.mp3\""),
         kit(Side::Upload, "mix tape 3.mp3")},
        {"FolderUpload",
         line("level=INFO msg=\"Folder upload started\"" + who +
              "dstPath=/data/Photos TransferSize=5 C=\"\\x00\\x03\""),
         kit(Side::Upload, "Photos")},
        {"WindowsPath", line("level=INFO msg=\"Download file\"" + who + R"(filePath="C:\\Mobius\\Files\\a b.zip")"),
         kit(Side::Download, "a b.zip")},
        {"BareWindowsPath", line("level=INFO msg=\"Download file\"" + who + R"(filePath=C:\Mobius\Files\ab.zip)"),
         kit(Side::Download, "ab.zip")},
        {"EscapedSlash", line("level=INFO msg=\"Download file\"" + who + R"(filePath="a\x2fb\u005cc")"),
         kit(Side::Download, "c")},
        {"PathEndingInSlash", line("level=INFO msg=\"Download file\"" + who + "filePath=/a/b/"),
         kit(Side::Download, "")},
        {"PathWithoutSlash", line("level=INFO msg=\"Download file\"" + who + "filePath=Glider.sit"),
         kit(Side::Download, "Glider.sit")},
        {"KeysInAnyOrder",
         "filePath=/x/f login=guest Name=kit remoteAddr=198.51.100.9:1 msg=\"Download file\" "
         "level=INFO time=2026-03-14T21:07:52-04:00\n",
         kit(Side::Download, "f")},
        {"IPv6",
         line("level=INFO msg=\"Download file\" remoteAddr=[2001:db8:4::17]:52110 login=guest Name=kit filePath=f"),
         kit(Side::Download, "f", "2001:db8:4::17")},
        {"IPv6WithoutPort", line("level=INFO msg=\"Download file\" remoteAddr=[::1] login=guest Name=kit filePath=f"),
         kit(Side::Download, "f", "::1")},
        {"AddressWithoutPort",
         line("level=INFO msg=\"Download file\" remoteAddr=10.0.0.1 login=guest Name=kit filePath=f"),
         kit(Side::Download, "f", "10.0.0.1")},
        {"IPv6WithoutBrackets",
         line("level=INFO msg=\"Download file\" remoteAddr=fe80::1 login=guest Name=kit filePath=f"),
         kit(Side::Download, "f", "fe80::1")},
        {"FirstOfTwoKeysCounts",
         line("level=INFO msg=\"Download file\"" + who + "Name=other login=x filePath=/a/first filePath=/a/second"),
         kit(Side::Download, "first")},
        {"QuotedStamp", "time=\"2026-03-14T21:07:52-04:00\" level=INFO msg=\"Download file\"" + who + "filePath=f\n",
         kit(Side::Download, "f")},
        {"LongPathShortName",
         line("level=INFO msg=\"Download file\"" + who + "filePath=/" + std::string(slogValueLimit + 10, 'd') + "/f"),
         kit(Side::Download, "f")},
        // The traps: a transfer's message without its keys, or at another level.
        {"RequestLine", line("level=INFO msg=\"Download file\" ip=198.51.100.9 login=guest Name=kit"), skipped},
        {"RequestLineWithPath",
         line("level=INFO msg=\"Download file\" ip=198.51.100.9 login=guest Name=kit filePath=f"), skipped},
        {"NoAddress", line("level=INFO msg=\"Download file\" login=guest Name=kit filePath=f"), skipped},
        {"OtherPathKey", line("level=INFO msg=\"Download file\"" + who + "path=f"), skipped},
        {"ErrorLevel", line("level=ERROR msg=\"Download file\"" + who + "filePath=f err=\"gone\""), skipped},
        {"LevelAfterMessage", line("msg=\"Download file\" level=WARN" + who + "filePath=f"), skipped},
        {"NoLevel", line("msg=\"Download file\"" + who + "filePath=f"), skipped},
        {"LowerCaseLevel", line("level=info msg=\"Download file\"" + who + "filePath=f"), skipped},
        {"PerFileDownload", line("level=INFO msg=\"File download started\"" + who + "filePath=f"), skipped},
        {"PerFileTransfer", line("level=INFO msg=\"Starting file transfer\"" + who + "filePath=f"), skipped},
        {"FolderUploadComplete", line("level=INFO msg=\"Folder upload complete\"" + who + "dstPath=f"), skipped},
        {"MessageWithAnEscapeItCannotRead", line("level=INFO msg=\"Download\\qfile\"" + who + "filePath=f"), skipped},
        {"Login", line("level=INFO msg=\"Login successful\"" + who), skipped},
        {"NotSlog", "Mar 14 21:07:52 host mobius[812]: starting\n", skipped},
        {"Empty", "\n", skipped},
        // Missing or unreadable columns.
        {"NoTime", "level=INFO msg=\"Download file\"" + who + "filePath=f\n", damaged(Side::Download)},
        {"NoLogin", line("level=INFO msg=\"File upload complete\" remoteAddr=1.2.3.4:5 Name=kit dstFile=f"),
         damaged(Side::Upload)},
        {"NoName", line("level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 login=x filePath=f"),
         damaged(Side::Download)},
        {"NameTooLong", downloadWith(std::string(slogValueLimit + 1, 'n')), damaged(Side::Download)},
        {"NameAtTheLimit", downloadWith(std::string(slogValueLimit, 'n')), glider(std::string(slogValueLimit, 'n'))},
        // Lines that cannot be split.
        {"UnterminatedQuote", downloadWith("\"DJ Pluto"), damaged(Side::Download)},
        {"UnterminatedQuoteWithoutTime", "level=INFO msg=\"Download file\" Name=\"x\n", skipped},
        {"QuoteInBareValue", downloadWith("a\"b"), damaged(Side::Download)},
        {"EqualsInBareValue", downloadWith("a=b"), damaged(Side::Download)},
        {"GarbageAfterQuote", downloadWith("\"a\"b"), damaged(Side::Download)},
        {"KeyWithoutValue", line("level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 garbage"),
         damaged(Side::Download)},
        {"TwoSpaces", line("level=INFO msg=\"File upload complete\"  remoteAddr=1.2.3.4:5"), damaged(Side::Upload)},
        {"TrailingSpace", line("level=INFO msg=\"Download file\"" + who + "filePath=f "), damaged(Side::Download)},
        {"BreakBeforeTheMessage", line("level=INFO garbage msg=\"Download file\""), skipped},
        {"BreakAtAnotherLevel", line("level=DEBUG msg=\"Download file\" garbage"), skipped},
        {"BreakWithoutTime", "level=INFO msg=\"Download file\" garbage\n", skipped},
        {"BreakInAnotherMessage", line("level=INFO msg=Chat garbage"), skipped},
        // The prefix the server writes, and lines that look like it but are not.
        {"QuotedLevel", line("level=\"INFO\" msg=\"Download file\"" + who + "filePath=f"), kit(Side::Download, "f")},
        {"EscapedLevel", line("level=\"IN\\x46O\" msg=\"Download file\"" + who + "filePath=f"),
         kit(Side::Download, "f")},
        {"BareMessage", line("level=INFO msg=Chat" + who + "filePath=f"), skipped},
        {"EmptyStamp", "time= level=INFO msg=\"Download file\"" + who + "filePath=f\n",
         transfer(Side::Download, "", "198.51.100.9", "guest", "kit", "f")},
        {"LevelWithoutMessage", line("level=INFO"), skipped},
        {"MessageThenNothing", line("level=INFO msg=\"Download file\""), skipped},
        {"MessageThenASpace", line("level=INFO msg=\"Download file\" "), damaged(Side::Download)},
        {"GarbageAfterTheMessage", line("level=INFO msg=\"Download file\"x" + who + "filePath=f"),
         damaged(Side::Download)},
        {"UnterminatedMessage", line("level=INFO msg=\"Download file"), skipped},
        {"MessageLongerThanATransfers", line("level=INFO msg=\"Download files\"" + who + "filePath=f"), skipped},
        {"MessageSharingItsFirstBytes", line("level=INFO msg=\"Download fil\"" + who + "filePath=f"), skipped},
        {"MessageOfATransfersLengthAndFirstBytes", line("level=INFO msg=\"Download fils\"" + who + "filePath=f"),
         skipped},
        {"EqualsInTheStamp", "time=a=b level=INFO msg=\"Download file\"" + who + "filePath=f\n", skipped},
        {"QuoteInTheStamp", "time=a\"b level=INFO msg=\"Download file\"" + who + "filePath=f\n", skipped},
        {"LevelOfTwoSpaces", line(" level=INFO msg=\"Download file\"" + who + "filePath=f"), skipped},
        {"EqualsInAnotherLevel", line("level=DE=BUG msg=\"Download file\"" + who + "filePath=f"), skipped},
    };
}

INSTANTIATE_TEST_SUITE_P(Escapes, OneLine, ::testing::ValuesIn(escapeCases()),
                         [](const auto& row) { return std::string(row.param.what); });
INSTANTIATE_TEST_SUITE_P(Records, OneLine, ::testing::ValuesIn(recordCases()),
                         [](const auto& row) { return std::string(row.param.what); });

TEST(SlogLines, CrBeforeLfIsDroppedAnywhereElseKept)
{
    const std::string record = downloadWith("kit");
    EXPECT_EQ(judged(record.substr(0, record.size() - 1) + "\r\n"), judged(record));
    // After a quoted value too; a CR inside a value, or before another CR, stays.
    const std::string quotedLast = line("level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 login=a Name=b "
                                        "filePath=\"/x/f\"\r\n");
    EXPECT_EQ(judged(quotedLast).front().columns[4], "f");
    EXPECT_EQ(judged(downloadWith("k\rit")).front().columns[3], "k\rit");
    EXPECT_EQ(judged(record.substr(0, record.size() - 1) + "\r\r\n").front().columns[4], "Glider.sit\r");
}

TEST(SlogLines, AnUnendedLastLineThatIsATransferIsDamaged)
{
    const std::string record = downloadWith("kit");
    EXPECT_EQ(judged(record + record.substr(0, record.size() - 1)),
              (std::vector<Judged>{glider("kit"), damaged(Side::Download)}));
    EXPECT_EQ(judged(record + record.substr(0, record.size() - 5)),
              (std::vector<Judged>{glider("kit"), damaged(Side::Download)}));
    const std::string quoted = downloadWith("\"DJ Pluto\"");
    EXPECT_EQ(judged(record + quoted.substr(0, quoted.find("Pluto"))),
              (std::vector<Judged>{glider("kit"), damaged(Side::Download)}));
    EXPECT_EQ(judged(record + "time=x level=INFO msg=Chat"), (std::vector<Judged>{glider("kit"), skipped}));
    EXPECT_EQ(judged(record + "time=x level=INFO msg=\"Download file\" ip=1"),
              (std::vector<Judged>{glider("kit"), skipped}));
    EXPECT_EQ(judged(record + "time=x level=INFO msg=\"Download file\" ip=\"1\"\r"),
              (std::vector<Judged>{glider("kit"), damaged(Side::Download)}));
    EXPECT_EQ(judged(record), std::vector<Judged>{glider("kit")});
    EXPECT_TRUE(judged("").empty());
}

TEST(SlogLines, TheSameBytesGiveTheSameLinesInPiecesOfAnySize)
{
    std::string text;
    for (const auto& cases : {escapeCases(), recordCases()})
        for (const LineCase& c : cases)
            if (c.text.size() < 4096)
                text += c.text;
    text += "time=2026-03-14T21:07:52Z level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 login=a Name=b filePath=f";
    const std::vector<Judged> whole = judged(text);
    EXPECT_EQ(whole.size(), std::count(text.begin(), text.end(), '\n') + 1);
    EXPECT_EQ(whole.back(), damaged(Side::Download));
    for (std::size_t piece = 1; piece < 80; ++piece)
        ASSERT_EQ(judged(text, piece), whole) << "pieces of " << piece;
}

// A line that lies whole in a piece is read in one pass, a line cut by the pieces pair by pair:
// the two must judge alike every line made of these parts, and agree on whether a modern log
// line was seen.
TEST(SlogLines, ALineReadWholeIsJudgedAsWhenReadPairByPair)
{
    const std::vector<std::string> stamps = {"2026-03-14T21:07:52Z", "\"2026-03-14T21:07:52Z\"", "", "a=b", "a\"b"};
    const std::vector<std::string> levels = {"INFO", "DEBUG", "\"INFO\"", "\"IN\\x46O\"", "INF", "", "INFO=x"};
    const std::vector<std::string> messages = {"\"Download file\"",
                                               "\"Start folder download\"",
                                               "\"File upload complete\"",
                                               "\"Folder upload started\"",
                                               "\"Public chat\"",
                                               "\"Download\\x20file\"",
                                               "\"Download fils\"",
                                               "\"Download file",
                                               "Chat",
                                               "\"Download file\"x",
                                               "\"\\q\""};
    const std::vector<std::string> rests = {
        " remoteAddr=1.2.3.4:5 login=\"\\x8e\" Name=\"b\\u00e9\" filePath=/x/f path=p dstFile=\"/u/\\x41\" dstPath=d",
        " remoteAddr=[::1]:5 login=a Name=b dstFile=\"C:\\\\u\\\\g\" path=\\p\\q",
        "",
        " ",
        " ip=1 login=a Name=b filePath=f",
        " remoteAddr=1:2 login=a Name=\"\\q\" filePath=f dstPath=d",
        " remoteAddr=1:2 Name=b path=p dstPath=d x=\"\\U0001F6",
    };
    std::array<std::size_t, 3> kinds{}; // lines judged of each kind, that the parts reach each
    for (const std::string& time : stamps)
        for (const std::string& level : levels)
            for (const std::string& message : messages)
                for (const std::string& rest : rests)
                    for (const std::string_view ending : {"\n", "\r\n"}) {
                        const std::string text =
                            "time=" + time + " level=" + level + " msg=" + message + rest + std::string(ending);
                        const std::vector<Judged> lines = judged(text);
                        ASSERT_EQ(lines, judged(text, 1)) << text;
                        ++kinds[static_cast<std::size_t>(lines.front().kind)];
                        SlogReader whole, inBytes;
                        whole.read(text, [](const SlogLine&) {});
                        for (const char& c : text)
                            inBytes.read(std::string_view(&c, 1), [](const SlogLine&) {});
                        ASSERT_EQ(whole.sawSlogLine(), inBytes.sawSlogLine()) << text;
                    }
    for (const std::size_t count : kinds)
        EXPECT_GT(count, 0u);
}

TEST(SlogLines, AReaderOfOneSideJudgesThatSidesLinesAsAReaderOfBoth)
{
    const std::string text =
        downloadWith("marla") +
        "time=2026-03-14T21:09:03Z level=INFO msg=\"File upload complete\" remoteAddr=[2001:db8::17]:52110 "
        "login=dj Name=\"DJ Pluto\" dstFile=/srv/Files/Uploads/mix.mp3\n"
        "time=x level=INFO msg=\"Download\\x20file\" remoteAddr=1.2.3.4:5 login=a Name=b filePath=/c/d\n"
        "time=x level=INFO msg=\"Folder upload started\" remoteAddr=1.2.3.4:5 login=a dstPath=/c\n"
        "time=x level=INFO msg=\"Start folder download\" remoteAddr=1.2.3.4:5 login=a path=/c\n";
    const std::vector<Judged> both = judged(text);
    EXPECT_EQ(both[2], transfer(Side::Download, "x", "1.2.3.4", "a", "b", "d")) << "an escaped message is read";
    for (const Side side : {Side::Download, Side::Upload}) {
        const auto ofSide = [&](std::vector<Judged> lines) {
            std::erase_if(lines, [&](const Judged& j) { return j.kind == SlogKind::Skipped || j.side != side; });
            return lines;
        };
        std::array<bool, 2> sides{};
        sides[static_cast<std::size_t>(side)] = true;
        EXPECT_EQ(ofSide(judged(text, std::string_view::npos, sides)), ofSide(both));
        EXPECT_EQ(ofSide(both).size(), side == Side::Download ? 3u : 2u);
    }
}

TEST(SlogLines, AModernLogLineBeginsWithTimeLevelAndMessage)
{
    const auto slog = [](std::string_view text) {
        SlogReader reader;
        reader.read(text, [](const SlogLine&) {});
        return reader.sawSlogLine();
    };
    EXPECT_TRUE(slog("time=2026-03-14T21:07:52Z level=DEBUG msg=x"));
    EXPECT_TRUE(slog("time=2026-03-14T21:07:52Z level=DEBUG msg=x\n"));
    EXPECT_TRUE(slog("time=2026-03-14T21:07:52Z level=INFO msg=\"Login\" login=x\n"));
    EXPECT_TRUE(slog("journal start\nanything\ntime=\"\" level=\"\" msg="));
    EXPECT_FALSE(slog("time=2026-03-14T21:07:52Z level=DEBUG"));
    EXPECT_FALSE(slog("level=INFO time=x msg=x\n"));
    EXPECT_FALSE(slog("time=x level=INFO other=y msg=x\n"));
    EXPECT_FALSE(slog(" time=x level=INFO msg=x\n"));
    EXPECT_FALSE(slog("time=x level=INFO msgs=x\n"));
    EXPECT_FALSE(slog("time=x level=DEBUG msgs=x\n"));
    EXPECT_FALSE(slog("time=x level=DEBUG\n"));
    EXPECT_FALSE(slog("time=x level=DEBUG other=\"msg=\"\n"));
    EXPECT_TRUE(slog("time=x level=DEBUG msg=\"unterminated\n"));
    EXPECT_TRUE(slog("time=x level=INFO msg=\"unterminated\n"));
}

} // namespace
} // namespace quorvel
