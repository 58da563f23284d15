// SPDX-License-Identifier: MIT
#include "serverwriter.h"

#include <charconv>
#include <iostream>
#include <string>
#include <string_view>

namespace {

void usage(std::ostream& out)
{
    out << "usage: loggen --out DIR [--lines N] [--upload-lines N] [--seed N] [--days N] [--year N]\n"
           "              [--accounts N] [--users N] [--files N] [--format classic|twin|mobius] [--skipped N]\n"
           "              [--paths] [--addresses N]\n"
           "Writes a synthetic server folder: N download records (default 1000), N/5 upload records\n"
           "(or --upload-lines) and the accounts. The same options give the same bytes.\n"
           "The download records span the given days from 1 January 2001 (or of --year; default:\n"
           "about 1,370 records a day, two years for a million); the upload records the same days.\n"
           "Defaults: 300 accounts, 5000 user names, 50000 files, seed 1.\n"
           "Formats: classic (default): \"Download Log.txt\", \"Upload Log.txt\" and users/ as a classic\n"
           "server writes them. mobius: a modern server's folder: its log (mobius.log and one rotated\n"
           "backup) and Users/*.yaml; before each record --skipped lines that are no transfers\n"
           "(default 3). twin: the classic layout of the very records --format mobius writes for the\n"
           "same options (modern stamps, IPv6 addresses, names a modern log escapes).\n"
           "--paths: the file names are paths from the server's file root, \"Folder/Sub/three words\n"
           "1.2.ext\" (about 40 bytes; classic format only). --addresses N: every address of the logs\n"
           "is one of N (at most 10000000), instead of one per user name and a new one now and then.\n";
}

bool number(std::string_view text, std::uint64_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Fills options from the arguments; false on anything it does not understand.
bool parse(int argc, char** argv, loggen::Options& options)
{
    bool uploadGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view key = argv[i];
        if (key == "--paths") {
            options.paths = true;
            continue;
        }
        if (i + 1 == argc)
            return false;
        const std::string_view text = argv[++i];
        std::uint64_t value = 0;
        if (key == "--out") {
            options.out = text;
            continue;
        }
        if (key == "--format") {
            if (text != "classic" && text != "twin" && text != "mobius")
                return false;
            options.format = text == "classic" ? loggen::Format::Classic
                             : text == "twin"  ? loggen::Format::Twin
                                               : loggen::Format::Mobius;
            continue;
        }
        if (!number(text, value))
            return false;
        if (key == "--lines")
            options.downloadLines = value;
        else if (key == "--upload-lines")
            options.uploadLines = value, uploadGiven = true;
        else if (key == "--seed")
            options.seed = value;
        else if (key == "--accounts" && value > 0)
            options.accounts = value;
        else if (key == "--users" && value > 0)
            options.users = value;
        else if (key == "--files" && value > 0)
            options.files = value;
        else if (key == "--days" && value > 0)
            options.days = value;
        else if (key == "--year" && value >= 1 && value <= 9000)
            options.year = static_cast<int>(value);
        else if (key == "--skipped")
            options.skipped = value;
        else if (key == "--addresses" && value > 0 && value <= 10'000'000)
            options.addresses = value;
        else
            return false;
    }
    if (!uploadGiven)
        options.uploadLines = options.downloadLines / 5;
    return !options.out.empty() && !(options.paths && options.format != loggen::Format::Classic);
}

} // namespace

int main(int argc, char** argv)
{
    loggen::Options options;
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        usage(std::cout);
        return 0;
    }
    if (!parse(argc, argv, options)) {
        usage(std::cerr);
        return 2;
    }
    return loggen::writeServer(options) ? 0 : 1;
}
