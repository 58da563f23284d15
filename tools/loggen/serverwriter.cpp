// SPDX-License-Identifier: MIT
#include "serverwriter.h"

#include "mobiuswriter.h"
#include "random.h"
#include "records.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace loggen {

namespace {

// A log in the classic server's layout: the column header, then a CR before every record, and
// no line end after the newest one.
bool writeLog(const std::filesystem::path& path, RecordStream records, const Population& p, const Options& options)
{
    std::ofstream file(path, std::ios::binary);
    std::string buffer = "Date/time\tAddress\tAccount\tName\tFile Name";
    for (Record r; file && records.next(r);) {
        buffer += '\r';
        if (options.format == Format::Classic)
            appendClassicStamp(buffer, r, options.year);
        else
            appendModernStamp(buffer, r, options.year);
        buffer += '\t';
        buffer += r.address;
        buffer += '\t';
        buffer += p.logins[p.accountOf[r.user]];
        buffer += '\t';
        buffer += p.nicknames[r.user];
        buffer += '\t';
        buffer += p.files[r.file];
        if (buffer.size() >= (1u << 20)) {
            file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    file.close();
    if (!file)
        std::cerr << "loggen: cannot write " << path << '\n';
    return static_cast<bool>(file);
}

// Most logins of the logs have an account (some accounts were deleted since); the logins after
// `accounts` never log in.
std::vector<std::string> keptAccounts(const Options& options, const Population& p, Random& random)
{
    std::vector<std::string> kept;
    for (std::size_t a = 0; a < p.logins.size(); ++a)
        if (a == 0 || a >= options.accounts || !random.chance(0.05))
            kept.push_back(p.logins[a]);
    return kept;
}

// One folder per account, each holding an empty "UserData" file as the server keeps one there
// (and so that the folder survives in version control).
bool writeUsers(const std::filesystem::path& users, const std::vector<std::string>& accounts)
{
    std::error_code error;
    for (const std::string& login : accounts) {
        const auto folder = users / login;
        std::filesystem::create_directories(folder, error);
        if (error || !std::ofstream(folder / "UserData", std::ios::binary)) {
            std::cerr << "loggen: cannot write " << folder << '\n';
            return false;
        }
    }
    return true;
}

} // namespace

bool writeServer(const Options& options)
{
    std::error_code error;
    std::filesystem::create_directories(options.out, error);
    if (error) {
        std::cerr << "loggen: cannot create " << options.out << ": " << error.message() << '\n';
        return false;
    }
    Random random(options.seed);
    const Population p = populate(options, random);
    Random downloads(random.next());
    Random uploads(random.next());
    const std::uint64_t days =
        options.days > 0 ? options.days : std::max<std::uint64_t>(30, options.downloadLines / 1370);
    const std::vector<std::string> accounts = keptAccounts(options, p, random);
    const RecordStream downloadRecords(options.downloadLines, days, p, downloads);
    const RecordStream uploadRecords(options.uploadLines, days, p, uploads);
    if (options.format == Format::Mobius)
        return writeMobiusFolder(options, p, accounts, downloadRecords, uploadRecords);
    return writeUsers(options.out / "users", accounts) &&
           writeLog(options.out / "Download Log.txt", downloadRecords, p, options) &&
           writeLog(options.out / "Upload Log.txt", uploadRecords, p, options);
}

} // namespace loggen
