// SPDX-License-Identifier: MIT
#pragma once

#include "tempserver.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel::test {

// A line of a modern server's log: "time=<stamp> level=<level> msg=<message>" and the pairs after
// it (written as they stand), ended by LF.
inline std::string slogLine(std::string_view stamp, std::string_view level, std::string_view message,
                            std::string_view pairs)
{
    return "time=" + std::string(stamp) + " level=" + std::string(level) + " msg=" + std::string(message) + " " +
           std::string(pairs) + "\n";
}

// A download record ("Download file") of this account, user name and file, at 10.0.0.1.
inline std::string slogDownload(std::string_view login, std::string_view name, std::string_view file,
                                std::string_view stamp = "2026-03-14T21:07:52-04:00")
{
    return slogLine(stamp, "INFO", "\"Download file\"",
                    "remoteAddr=10.0.0.1:50000 login=" + std::string(login) + " Name=" + std::string(name) +
                        " filePath=/srv/Files/" + std::string(file));
}

// An upload record ("File upload complete").
inline std::string slogUpload(std::string_view login, std::string_view name, std::string_view file,
                              std::string_view stamp = "2026-03-14T21:07:52-04:00")
{
    return slogLine(stamp, "INFO", "\"File upload complete\"",
                    "remoteAddr=10.0.0.2:50000 login=" + std::string(login) + " Name=" + std::string(name) +
                        " dstFile=/srv/Files/Uploads/" + std::string(file));
}

// A line that is no transfer record.
inline std::string slogChat(std::string_view stamp = "2026-03-14T21:07:52-04:00")
{
    return slogLine(stamp, "INFO", "\"Public chat\"", "remoteAddr=10.0.0.3:50000 login=guest Name=kit text=hi");
}

// Makes the temporary server a modern one: its Users folder, with an account file for each
// login given.
inline void makeMobiusServer(const TempServer& server, std::initializer_list<std::string_view> logins = {})
{
    std::filesystem::create_directories(std::filesystem::path(server.folder()) / "Users");
    for (const std::string_view login : logins)
        server.write("Users/" + std::string(login) + ".yaml", "Login: " + std::string(login) + "\n");
}

// An account file that is a billion laughs: nine levels of ten aliases of the level below, then
// its Login.
inline std::string billionLaughs(std::string_view login)
{
    std::string yaml = "a0: &a0 lol\n";
    for (int level = 1; level <= 9; ++level) {
        yaml += "a" + std::to_string(level) + ": &a" + std::to_string(level) + " [";
        for (int k = 0; k < 10; ++k)
            yaml += (k ? ", *a" : "*a") + std::to_string(level - 1);
        yaml += "]\n";
    }
    return yaml + "Login: " + std::string(login) + "\n";
}

} // namespace quorvel::test
