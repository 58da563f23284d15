// SPDX-License-Identifier: MIT
#include "tempserver.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quorvel::test {

TempServer::TempServer()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvel-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    root_ = pattern;
    std::filesystem::create_directories(root_ / "server");
    std::filesystem::create_directories(programFolder());
}

namespace {

// Lets the owner list and empty every folder under dir (links are not followed), so that
// tests may leave folders without permissions behind.
void openUp(const std::filesystem::path& dir)
{
    std::error_code error;
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(dir, error)))
        return;
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        openUp(entry.path());
}

} // namespace

TempServer::~TempServer()
{
    std::error_code error;
    openUp(root_);
    std::filesystem::remove_all(root_, error);
}

void TempServer::write(std::string_view leaf, std::string_view bytes) const
{
    std::ofstream out(root_ / "server" / leaf, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempServer::addAccount(std::string_view name) const
{
    std::filesystem::create_directories(root_ / "server" / "users" / name);
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quorvel::test
