// SPDX-License-Identifier: MIT
#include "server/mobiusfolder.h"

#include "core/nameorder.h"
#include "model/side.h"

#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view binaryTag = "tag:yaml.org,2002:binary";

// The bytes a !!binary value stands for: base64 (RFC 4648, "=" padding at its end only), which
// may be broken over lines and indented. Nothing when it is not base64. (yaml-cpp's own decoder
// reads out of bounds on bytes above 0x7F.)
std::optional<std::string> base64Bytes(std::string_view text)
{
    constexpr std::string_view digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string code; // without the blanks and line ends
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            code += c;
    if (code.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    for (std::size_t at = 0; at < code.size(); at += 4) {
        const bool last = at + 4 == code.size();
        std::uint32_t group = 0;
        std::size_t padding = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = code[at + k];
            const bool pads = c == '=' && last && (k == 3 || (k == 2 && code[at + 3] == '='));
            const std::size_t value = pads ? 0 : digits.find(c);
            if (value == std::string_view::npos)
                return std::nullopt;
            padding += pads ? 1 : 0;
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        for (std::size_t k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>(group >> (16 - 8 * k) & 0xFF);
    }
    return bytes;
}

// Follows the events of one YAML document and keeps the value of the first "Login" key of its
// top-level mapping. Deeper nodes are only counted; an alias is an event like any other node,
// never expanded.
class LoginFinder : public YAML::EventHandler {
public:
    std::optional<std::string> login;

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark&, YAML::anchor_t) override { node(nullptr, {}); }
    void OnAlias(const YAML::Mark&, YAML::anchor_t) override { node(nullptr, {}); }
    void OnScalar(const YAML::Mark&, const std::string& tag, YAML::anchor_t, const std::string& value) override
    {
        node(&value, tag);
    }
    void OnSequenceStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override
    {
        node(nullptr, {});
        ++depth_;
    }
    void OnSequenceEnd() override { --depth_; }
    void OnMapStart(const YAML::Mark&, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override
    {
        topIsMap_ = topIsMap_ || depth_ == 0;
        node(nullptr, {});
        ++depth_;
    }
    void OnMapEnd() override { --depth_; }

private:
    // A node begins: at the top mapping's level, keys and values take turns.
    void node(const std::string* scalar, const std::string& tag)
    {
        if (depth_ != 1 || !topIsMap_)
            return;
        if (atKey_) {
            loginNext_ = scalar && *scalar == "Login" && !loginRead_;
        } else if (loginNext_) {
            loginRead_ = true;
            if (scalar)
                login = tag == binaryTag ? base64Bytes(*scalar) : std::optional(*scalar);
        }
        atKey_ = !atKey_;
    }

    int depth_ = 0;
    bool topIsMap_ = false;
    bool atKey_ = true;
    bool loginNext_ = false;
    bool loginRead_ = false;
};

// The bytes of a regular file of at most accountFileLimit bytes; nothing otherwise.
std::optional<std::string> accountFileBytes(const fs::path& path)
{
    // O_NONBLOCK: a named pipe must not wait for a writer; it is then refused as no regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uintmax_t>(info.st_size) <= accountFileLimit) {
        std::string text(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t got = 0;
        bool failed = false;
        while (got < text.size() && !failed) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n == 0)
                break; // the file shrank: what it still holds
            failed = n < 0 && errno != EINTR;
            got += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        if (!failed) {
            text.resize(got);
            bytes = std::move(text);
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace

bool isMobiusFolder(const fs::path& dir)
{
    std::error_code error;
    if (!fs::is_directory(dir / mobiusUsersFolder, error))
        return false;
    for (const Side side : {Side::Download, Side::Upload})
        if (fs::exists(fs::symlink_status(dir / logFileName(side), error)))
            return false;
    return true;
}

std::optional<std::string> loginOf(const std::string& yaml)
{
    std::istringstream in(yaml);
    LoginFinder finder;
    try {
        YAML::Parser parser(in);
        parser.HandleNextDocument(finder);
    } catch (const YAML::Exception&) {
        return std::nullopt;
    }
    if (!finder.login || finder.login->empty())
        return std::nullopt;
    return finder.login;
}

std::optional<MobiusAccounts> listMobiusAccounts(const fs::path& users)
{
    MobiusAccounts accounts;
    std::error_code error;
    fs::directory_iterator it(users, error);
    const auto missing = [&] {
        return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
    };
    if (error && !missing())
        return std::nullopt;
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.front() == '.' || !name.ends_with(".yaml"))
            continue;
        const std::optional<std::string> bytes = accountFileBytes(it->path());
        std::optional<std::string> login = bytes ? loginOf(*bytes) : std::nullopt;
        if (login)
            accounts.logins.push_back(std::move(*login));
        else
            accounts.leftOut.push_back(std::string(mobiusUsersFolder) + "/" + name);
    }
    if (error && !missing())
        return std::nullopt;
    std::sort(accounts.logins.begin(), accounts.logins.end(), nameOrder);
    accounts.logins.erase(std::unique(accounts.logins.begin(), accounts.logins.end()), accounts.logins.end());
    std::sort(accounts.leftOut.begin(), accounts.leftOut.end(), nameOrder);
    return accounts;
}

} // namespace quorvel
