// qoru-admin: makes and migrates a laboratory's records database on a
// PostgreSQL server and manages the people who use it.

#include "records/recordstore.h"
#include "records/serveradmin.h"
#include "records/serverurl.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

const char kUsage[] = "Usage: qoru-admin --server URL COMMAND\n"
                      "  URL: postgresql://user@host:port/database[?sslmode=...]\n"
                      "       (the password comes from PGPASSWORD, ~/.pgpass or PGSERVICE,\n"
                      "        or from stdin with --password-stdin)\n"
                      "Commands:\n"
                      "  init                          make the laboratory's tables and groups\n"
                      "  migrate                       bring them to this program's version\n"
                      "  add-user NAME --role ROLE     ROLE: tester, reviewer or admin\n"
                      "           [--user-password-stdin]  read the new user's password\n"
                      "  remove-user NAME\n"
                      "Exit status: 0 done, 2 refused or failed (one line on stderr).\n";

int Fail(const std::string& message)
{
    std::cerr << "qoru-admin: " << message << "\n";
    return 2;
}

std::string ReadLine()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // the SQL driver plugins need it
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string server, role, command, name;
    bool passwordStdin = false, userPasswordStdin = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--server") {
            if (!value(server))
                return Fail("--server needs a postgresql:// address");
        } else if (a.rfind("--server=", 0) == 0) {
            server = a.substr(9);
        } else if (a == "--role") {
            if (!value(role))
                return Fail("--role needs tester, reviewer or admin");
        } else if (a.rfind("--role=", 0) == 0) {
            role = a.substr(7);
        } else if (a == "--password-stdin") {
            passwordStdin = true;
        } else if (a == "--user-password-stdin") {
            userPasswordStdin = true;
        } else if (!a.empty() && a.front() == '-') {
            return Fail("unknown option " + a + " (see --help)");
        } else if (command.empty()) {
            command = a;
        } else if (name.empty()) {
            name = a;
        } else {
            return Fail("unexpected argument " + a + " (see --help)");
        }
    }
    if (server.empty())
        return Fail("--server URL is required (see --help)");
    if (!ServerUrl::Is(server))
        return Fail("--server takes a postgresql:// address, not " + server);
    const bool named = command == "add-user" || command == "remove-user";
    if (command != "init" && command != "migrate" && !named)
        return Fail(command.empty() ? "no command given (see --help)"
                                    : "unknown command " + command + " (see --help)");
    if (named && name.empty())
        return Fail(command + " needs a user name");
    if (!named && !name.empty())
        return Fail("unexpected argument " + name + " (see --help)");
    if (command == "add-user" && ParseUserRole(role) == UserRole::None)
        return Fail("add-user needs --role tester, reviewer or admin");
    if (command != "add-user" && !role.empty())
        return Fail("--role belongs to add-user");

    OpenOptions options;
    if (passwordStdin)
        options.password = ReadLine();
    std::string userPassword;
    if (userPasswordStdin)
        userPassword = ReadLine();
    options.serverSchema = command == "init" ? ServerSchema::Create
        : command == "migrate"               ? ServerSchema::Migrate
                                             : ServerSchema::Use;
    RecordStore store;
    auto opened = store.open(server, options);
    if (!opened)
        return Fail(opened.error().message);
    if (command == "init" || command == "migrate") {
        std::cout << (opened->migratedFrom > 0
                ? "migrated from version " + std::to_string(opened->migratedFrom) + " to "
                : "schema version ")
                  << opened->version << "\n";
        return 0;
    }
    Result<void> done = command == "add-user"
        ? AddUser(store, name, ParseUserRole(role), userPassword)
        : RemoveUser(store, name);
    if (!done)
        return Fail(done.error().message);
    return 0;
}
