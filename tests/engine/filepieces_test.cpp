// SPDX-License-Identifier: MIT
// A log file read in pieces from mapped parts of it: the bytes, a file that shrinks while a part
// is mapped (told, not a SIGBUS that ends the program), and reading where nothing can be mapped.
#include "slogtext.h"
#include "tempserver.h"

#include "core/progress.h"
#include "ingest/filepieces.h"
#include "ingest/linestream.h"
#include "ingest/mobiuslog.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

// Bytes of every value, in a pattern that does not repeat within a mapped part.
std::string patterned(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

struct Pieces {
    std::string bytes;
    FilePieces::Status end = FilePieces::Status::End;
    int inPlace = 0; // pieces read from a mapped part
};

// Reads every piece of file, calling between(n) after the n-th piece.
template <class Between> Pieces readAll(const LogFile& file, std::size_t pieceBytes, Between&& between)
{
    Pieces read;
    FilePieces pieces(file, pieceBytes);
    std::string_view piece;
    for (int n = 1; (read.end = pieces.next(piece)) == FilePieces::Status::Piece; ++n) {
        EXPECT_EQ(pieces.offset(), read.bytes.size());
        read.bytes.append(piece);
        read.inPlace += pieces.inPlace() ? 1 : 0;
        between(n);
    }
    return read;
}

class FilePiecesTest : public ::testing::Test {
protected:
    fs::path path() const { return fs::path(server.folder()) / "mobius.log"; }
    TempServer server;
};

TEST_F(FilePiecesTest, ThePiecesAreTheFilesBytesAcrossPartsAndBytesAppendedMeanwhileAreNotRead)
{
    // Two whole parts and a piece that ends within a page, in pieces that do not divide a part.
    const std::string bytes = patterned(2 * FilePieces::partBytes + 5000);
    server.write("mobius.log", bytes);
    const LogFile file(path());
    server.write("mobius.log", bytes + "appended after the file was opened");
    for (const std::size_t pieceBytes : {std::size_t{65536}, std::size_t{1000003}}) {
        int pieces = 0;
        const Pieces read = readAll(file, pieceBytes, [&](int n) { pieces = n; });
        EXPECT_EQ(read.end, FilePieces::Status::End);
        EXPECT_TRUE(read.bytes == bytes) << "pieces of " << pieceBytes;
        EXPECT_EQ(read.inPlace, pieces);
    }
}

TEST_F(FilePiecesTest, AFileThatShrinksWhileAPartIsMappedIsToldAsShrunk)
{
    const std::size_t size = FilePieces::partBytes - 100;
    // Cut to less than a piece after the first: the rest of the part is gone from the file
    // while it is mapped; cut within the last page: its end reads as NUL without a fault.
    for (const std::uintmax_t cut : {std::uintmax_t{1000}, std::uintmax_t{size - 10}}) {
        server.write("mobius.log", patterned(size));
        const LogFile file(path());
        const Pieces read = readAll(file, 65536, [&](int n) {
            if (n == 1)
                fs::resize_file(path(), cut);
        });
        EXPECT_EQ(read.end, FilePieces::Status::Shrunk) << "cut to " << cut;
    }
}

TEST_F(FilePiecesTest, WithNoPartLeftToMapTheFileIsRead)
{
    const std::string bytes = patterned(FilePieces::partBytes + 3);
    server.write("mobius.log", bytes);
    const LogFile file(path());
    // Every part the process may map at once, held.
    std::vector<std::unique_ptr<MappedPart>> held;
    for (;;) {
        auto part = std::make_unique<MappedPart>();
        if (!part->map(file, 0, 4096))
            break;
        held.push_back(std::move(part));
    }
    ASSERT_FALSE(held.empty());
    const Pieces read = readAll(file, 65536, [&](int n) {
        if (n == 1)
            held.clear(); // mapping may come back; the read goes on reading
    });
    EXPECT_EQ(read.end, FilePieces::Status::End);
    EXPECT_TRUE(read.bytes == bytes);
    EXPECT_EQ(read.inPlace, 0);
}

TEST_F(FilePiecesTest, ASigbusOfAnotherCauseStillEndsTheProgram)
{
    server.write("mobius.log", patterned(10000));
    const LogFile file(path());
    // Ended by the signal, or by the handler that was there before (a sanitizer's).
    EXPECT_DEATH(
        {
            MappedPart part;
            if (part.map(file, 0, 10000))
                std::raise(SIGBUS);
            std::exit(0);
        },
        "");
}

// Runs atFirst at the first report.
class CuttingProgress final : public Progress {
public:
    std::function<void()> atFirst;

private:
    void reached(std::int64_t, std::int64_t) override
    {
        if (atFirst)
            std::exchange(atFirst, nullptr)();
    }
};

TEST_F(FilePiecesTest, AModernLogCutWhileItIsReadIsShrunkAndKeepsNothing)
{
    makeMobiusServer(server, {"guest"});
    std::string log;
    while (log.size() < 3 * lineBlockBytes)
        log += slogDownload("guest", "kit", "Glider.sit") + slogChat();
    server.write("mobius.log", log);
    const MobiusLog found = findMobiusLog(server.folder());
    ASSERT_EQ(found.status, MobiusLog::Status::Found);
    CuttingProgress progress;
    progress.atFirst = [&] { fs::resize_file(path(), lineBlockBytes + 100); };
    const MobiusRead read = readMobiusLog(found, LoadPlan{}, {true, true}, progress, std::uint64_t{1} << 30);
    EXPECT_EQ(read.status, LogRead::Status::Shrunk);
    EXPECT_EQ(read.sides[0].records.count(), 0);
}

} // namespace
} // namespace quorvel::test
