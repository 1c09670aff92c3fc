#pragma once

#include <map>
#include <optional>
#include <string>

// A laboratory server as the user writes it:
//   postgresql://[user[:password]@][host][:port][/database][?key=value&…]
// (also postgres://). The host may be a percent-encoded socket folder; the
// query takes libpq's own keys (sslmode, sslrootcert, service, host …).
// Whatever is left out, libpq fills in as usual: PGHOST, PGUSER, PGSERVICE,
// the password file.
struct ServerUrl
{
    std::string user;
    std::string password; // for this session only: never written anywhere
    std::string host;
    int port = 0; // 0: libpq's default
    std::string database;
    std::map<std::string, std::string> options;

    // Whether `text` names a server rather than a file.
    static bool Is(const std::string& text);
    // The parsed address, or empty with `error` saying what is wrong (Chinese).
    static std::optional<ServerUrl> Parse(const std::string& text, std::string* error = nullptr);

    // The address without the password, for messages and settings.
    std::string display() const;
    // user@host:port/database as a person reads it (the status bar, messages);
    // what is left to libpq is left out.
    std::string shortName() const;
    // libpq's extra keys as Qt's QPSQL driver takes them ("k=v;k=v").
    std::string connectOptions() const;
};
