// SPDX-License-Identifier: MIT
// Any bytes in the folder file: the folder read back is exactly the bytes before the first NUL,
// less one line end (LF or CR LF) unless a folder exists at the path with it (none when that
// leaves nothing), writing it back stores exactly those bytes, and a fresh start restores that
// folder without asking for one.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "fuzzcheck.h"
#include "tempserver.h"

#include "commands/program.h"
#include "server/folderfile.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

using quorvel::fuzz::require;

void writeRaw(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const quorvel::test::TempServer server;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const quorvel::FolderFile file(server.programFolder(), server.configFolder());
    writeRaw(file.path(), bytes);
    std::string path(bytes.substr(0, bytes.find('\0')));
    std::error_code error;
    for (const std::string_view lineEnd : {"\r\n", "\n"}) {
        if (path.ends_with(lineEnd)) {
            if (!std::filesystem::is_directory(path, error))
                path.resize(path.size() - lineEnd.size());
            break;
        }
    }
    const std::optional<std::string> expected = path.empty() ? std::nullopt : std::optional(path);
    require(file.read() == expected, "the folder is the bytes before the first NUL, less an editor's line end");

    quorvel::test::FakeWindow window;
    quorvel::test::FakePlatform platform;
    quorvel::Analyzer a(window, platform, file);
    quorvel::Form_Load(a);
    require(a.state.serverfolder == path && a.state.folderset == !path.empty(), "a start restores exactly that folder");
    require(platform.browseTitles.empty(), "a start never asks for a folder");

    if (!expected)
        return 0;
    require(file.write(path), "the folder file can be written");
    require(quorvel::test::readFile(file.path()) == path, "the folder file holds exactly the path bytes");
    return 0;
}
