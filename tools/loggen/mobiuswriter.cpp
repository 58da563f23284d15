// SPDX-License-Identifier: MIT
#include "mobiuswriter.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>

namespace loggen {

namespace {

namespace fs = std::filesystem;

// One character of a UTF-8 text: its code point and its bytes; an invalid byte alone has none.
struct Rune {
    std::optional<std::uint32_t> code;
    std::size_t bytes = 1;
};

Rune runeAt(std::string_view s, std::size_t i)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned c = b(i);
    if (c < 0x80)
        return {c, 1};
    const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return {};
    std::uint32_t code = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80)
            return {};
        code = code << 6 | (b(i + k) & 0x3F);
    }
    const bool overlong = (n == 3 && code < 0x800) || (n == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, n};
}

// What Go's unicode.IsPrint refuses among the characters these logs hold: controls, the
// spaces other than " ", soft hyphen, the invisible formatting characters.
bool printable(std::uint32_t r)
{
    if (r < 0x20 || (r >= 0x7F && r <= 0xA0) || r == 0xAD || r == 0x1680 || (r >= 0x2000 && r <= 0x200F) ||
        (r >= 0x2028 && r <= 0x202F) || (r >= 0x205F && r <= 0x206F) || r == 0x3000 || r == 0xFEFF ||
        (r >= 0xFFF9 && r <= 0xFFFB))
        return false;
    return true;
}

// Whether log/slog's text form quotes the value: when it is empty, or holds a space, "=", a
// quote, a control or a character that is invalid, a space or not printable (a backslash alone
// does not count).
bool needsQuoting(std::string_view s)
{
    if (s.empty())
        return true;
    for (std::size_t i = 0; i < s.size();) {
        const Rune r = runeAt(s, i);
        if (!r.code || !printable(*r.code) || *r.code == ' ' || *r.code == '=' || *r.code == '"')
            return true;
        i += r.bytes;
    }
    return false;
}

void appendHex(std::string& out, std::uint32_t value, int digits)
{
    constexpr char hex[] = "0123456789abcdef";
    for (int d = digits - 1; d >= 0; --d)
        out += hex[value >> (4 * d) & 0xF];
}

std::string quoted(std::string_view s, bool ascii)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const Rune r = runeAt(s, i);
        if (!r.code) {
            out += "\\x";
            appendHex(out, static_cast<unsigned char>(s[i]), 2);
        } else if (*r.code == '"' || *r.code == '\\') {
            out += '\\';
            out += static_cast<char>(*r.code);
        } else if (printable(*r.code) && (!ascii || *r.code < 0x80)) {
            out.append(s.substr(i, r.bytes));
        } else if (const std::size_t named = std::string_view("\a\b\f\n\r\t\v").find(static_cast<char>(*r.code));
                   *r.code < 0x20 && named != std::string_view::npos) {
            out += '\\';
            out += "abfnrtv"[named];
        } else if (*r.code < 0x20 || *r.code == 0x7F) {
            out += "\\x";
            appendHex(out, *r.code, 2);
        } else if (*r.code < 0x10000) {
            out += "\\u";
            appendHex(out, *r.code, 4);
        } else {
            out += "\\U";
            appendHex(out, *r.code, 8);
        }
        i += r.bytes;
    }
    return out + "\"";
}

std::string base64(std::string_view bytes)
{
    constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= (bytes.size() - i) ? digits[group >> (18 - 6 * k) & 0x3F] : '=';
    }
    return out;
}

// One account file, its Login written in one of the ways YAML allows.
std::string accountYaml(const std::string& login, std::size_t index)
{
    std::string written = login;
    if (index % 7 == 3)
        written = "!!binary " + base64(login);
    else if (index % 5 == 1)
        written = "'" + login + "'";
    else if (index % 5 == 2)
        written = "\"" + login + "\"";
    return "Login: " + written + "\nName: " + login +
           "\nPassword: $2a$04$Cx0ZkQk7rRbVn5pZ1rYQeu0x4y3Z1Q1e1bM2e6S8bV6c3w1a7c9Zm\n"
           "Access:\n  DownloadFile: true\n  UploadFile: true\n  SendChat: true\n";
}

bool writeAccounts(const fs::path& folder, const std::vector<std::string>& accounts)
{
    std::error_code error;
    fs::create_directories(folder / "Users", error);
    std::ofstream config(folder / "config.yaml", std::ios::binary);
    config << "Name: Generated Server\nDescription: Transfers made up by loggen\nBannerFile: \"\"\n"
              "FileRoot: Files\nEnableTrackerRegistration: false\n";
    bool written = !error && static_cast<bool>(config);
    for (std::size_t a = 0; a < accounts.size() && written; ++a) {
        std::ofstream file(folder / "Users" / (accounts[a] + ".yaml"), std::ios::binary);
        file << accountYaml(accounts[a], a);
        written = static_cast<bool>(file);
    }
    if (!written)
        std::cerr << "loggen: cannot write the accounts in " << folder << '\n';
    return written;
}

// The messages of the transfer records and their path keys.
struct Transfer {
    std::string_view message;
    std::string_view pathKey;
};
constexpr Transfer downloadFile{"Download file", "filePath"};
constexpr Transfer folderDownload{"Start folder download", "path"};
constexpr Transfer uploadFile{"File upload complete", "dstFile"};
constexpr Transfer folderUpload{"Folder upload started", "dstPath"};

// Writes the lines of one log, in order, into a backup and then the live log.
class LogWriter {
public:
    LogWriter(const Options& options, const Population& p)
        : options_(options), p_(p), extra_(options.seed ^ 0x6d6f62697573ull), file_(live(), std::ios::binary)
    {
    }

    // One transfer record, after the lines that are none.
    void add(const Record& r, bool download)
    {
        stamp_.clear();
        appendModernStamp(stamp_, r, options_.year);
        const Transfer kind = download ? (extra_.chance(0.1) ? folderDownload : downloadFile)
                                       : (extra_.chance(0.15) ? folderUpload : uploadFile);
        const std::string port = std::to_string(49152 + extra_.below(16384));
        address_ = r.address.find(':') != std::string::npos ? "[" + r.address + "]:" + port : r.address + ":" + port;
        const std::string& file = p_.files[r.file];
        path_ = pathOf(kind, file);
        for (std::uint64_t k = 0; k < options_.skipped; ++k)
            addSkipped(r, kind, download);
        begin(kind.message, "INFO");
        pairs(r);
        pair(kind.pathKey, path_);
        if (kind.message == folderUpload.message) {
            pair("TransferSize", std::to_string(1 + extra_.below(50'000'000)));
            pair("FolderItemCount", std::string("\x00", 1) + static_cast<char>(1 + extra_.below(9)));
        }
        text_ += '\n';
        if (text_.size() >= (1u << 20))
            flush();
    }
    // Rotates the log as the server does: the lines so far become a backup named after the
    // last one's time, and a new mobius.log begins.
    bool rotate(const Record& last)
    {
        std::string time;
        appendModernStamp(time, last, options_.year);
        time = time.substr(0, 19);
        for (char& c : time)
            c = c == ':' ? '-' : c;
        if (!finish())
            return false;
        std::error_code error;
        fs::rename(live(), options_.out / ("mobius-" + time + ".000.log"), error);
        file_.open(live(), std::ios::binary);
        return !error && file_;
    }
    bool finish()
    {
        flush();
        file_.close();
        if (!file_)
            std::cerr << "loggen: cannot write the log in " << options_.out << '\n';
        return static_cast<bool>(file_);
    }

private:
    fs::path live() const { return options_.out / "mobius.log"; }
    void flush()
    {
        file_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

    std::string pathOf(const Transfer& kind, const std::string& file)
    {
        if (kind.message == folderDownload.message)
            return "config/Files/" + file;
        if (kind.message == folderUpload.message)
            return "/data/Files/Uploads/" + file;
        if (extra_.chance(0.1))
            return "C:\\Mobius\\config\\Files\\" +
                   std::string(kind.message == uploadFile.message ? "Uploads" : "Mac Apps") + "\\" + file;
        static constexpr std::array<std::string_view, 3> folders{
            "/srv/mobius/config/Files/Games", "/srv/mobius/config/Files/Sounds and Music", "/srv/mobius/config/Files"};
        if (kind.message == uploadFile.message)
            return "/srv/mobius/config/Files/Uploads/" + file;
        return std::string(folders[extra_.below(folders.size())]) + "/" + file;
    }

    void begin(std::string_view message, std::string_view level)
    {
        pair("time", stamp_);
        pair("level", level);
        pair("msg", message);
    }
    void pair(std::string_view key, std::string_view value)
    {
        if (text_.size() > 0 && text_.back() != '\n')
            text_ += ' ';
        text_.append(key).append("=").append(slogValue(value, extra_.chance(0.05)));
    }
    // remoteAddr, login and Name of a record.
    void pairs(const Record& r)
    {
        pair("remoteAddr", address_);
        pair("login", p_.logins[p_.accountOf[r.user]]);
        pair("Name", p_.nicknames[r.user]);
    }

    // A line that is no transfer record, about the same client.
    void addSkipped(const Record& r, const Transfer& kind, bool download)
    {
        const std::string& file = p_.files[r.file];
        switch (extra_.below(8)) {
        case 0:
            begin("Login successful", "INFO");
            pairs(r);
            break;
        case 1:
            begin("Public chat", "INFO");
            pairs(r);
            pair("text", extra_.chance(0.002) ? std::string(3000, 'z') : "anyone got \"" + file + "\"?\tthx");
            break;
        case 2: // a request, with the transfer's own message but no address or path
            begin(kind.message, "INFO");
            pair("ip", address_.substr(0, address_.rfind(':')));
            pair("Name", p_.nicknames[r.user]);
            break;
        case 3:
            begin(download ? "File download started" : "Folder upload complete", "INFO");
            pairs(r);
            pair(download ? "filePath" : "dstPath", path_);
            break;
        case 4:
            begin("Starting file transfer", "INFO");
            pair("remoteAddr", address_);
            pair("fileName", file);
            break;
        case 5: // a failed transfer, every key of a record but its level
            begin(kind.message, extra_.chance(0.5) ? "ERROR" : "WARN");
            pairs(r);
            pair(kind.pathKey, path_);
            pair("err", "open " + path_ + ": no such file or directory");
            break;
        case 6:
            begin("Client disconnected", "INFO");
            pairs(r);
            break;
        default:
            begin("Received transaction", "DEBUG");
            pair("remoteAddr", address_);
            pair("type", download ? "DownloadFile" : "UploadFile");
            break;
        }
        text_ += '\n';
    }

    const Options& options_;
    const Population& p_;
    Random extra_; // the lines to skip, ports and paths: drawn apart from the records
    std::ofstream file_;
    std::string text_;
    std::string stamp_;
    std::string address_;
    std::string path_;
};

} // namespace

std::string slogValue(std::string_view value, bool ascii)
{
    return needsQuoting(value) ? quoted(value, ascii) : std::string(value);
}

bool writeMobiusFolder(const Options& options, const Population& p, const std::vector<std::string>& accounts,
                       RecordStream downloads, RecordStream uploads)
{
    if (!writeAccounts(options.out, accounts))
        return false;
    LogWriter log(options, p);
    const std::uint64_t backup = (options.downloadLines + options.uploadLines) * 2 / 5;
    std::uint64_t written = 0;
    Record down, up;
    bool moreDown = downloads.next(down), moreUp = uploads.next(up);
    while (moreDown || moreUp) {
        const bool download = moreDown && (!moreUp || down.seconds <= up.seconds);
        const Record& r = download ? down : up;
        log.add(r, download);
        if (++written == backup && !log.rotate(r))
            return false;
        if (download)
            moreDown = downloads.next(down);
        else
            moreUp = uploads.next(up);
    }
    return log.finish();
}

} // namespace loggen
