// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel::test {

// A server folder in a fresh temporary directory, removed again at the end of the test.
class TempServer {
public:
    TempServer();
    ~TempServer();
    TempServer(const TempServer&) = delete;
    TempServer& operator=(const TempServer&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::string folder() const { return (root_ / "server").string(); }
    // Writes a file in the server folder with exactly these bytes.
    void write(std::string_view leaf, std::string_view bytes) const;
    void writeDownloadLog(std::string_view bytes) const { write("Download Log.txt", bytes); }
    void writeUploadLog(std::string_view bytes) const { write("Upload Log.txt", bytes); }
    // Creates users/<name> as a folder.
    void addAccount(std::string_view name) const;
    // A folder beside the server folder, for the program's own files.
    std::filesystem::path programFolder() const { return root_ / "program"; }
    std::filesystem::path configFolder() const { return root_ / "config"; }

private:
    std::filesystem::path root_;
};

// Reads a whole file's bytes.
std::string readFile(const std::filesystem::path& path);

} // namespace quorvel::test
