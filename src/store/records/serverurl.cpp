#include "records/serverurl.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <set>

namespace {

std::string Decode(const std::string& text)
{
    return QUrl::fromPercentEncoding(QByteArray::fromStdString(text)).toStdString();
}

std::string Encode(const std::string& text, const char* keep = "")
{
    return QUrl::toPercentEncoding(QString::fromStdString(text), keep).toStdString();
}

// A conninfo value, quoted when it holds what would end it.
std::string Quoted(const std::string& value)
{
    if (!value.empty() && value.find_first_of(" '\\;") == std::string::npos)
        return value;
    std::string quoted = "'";
    for (char c : value) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

// The keys libpq takes that make sense for a laboratory's server.
const std::set<std::string> kKeys = { "sslmode", "sslrootcert", "sslcert", "sslkey", "sslcrl",
    "sslpassword", "service", "connect_timeout", "application_name", "host", "hostaddr", "port",
    "dbname", "user", "target_session_attrs", "keepalives", "keepalives_idle",
    "keepalives_interval", "keepalives_count", "tcp_user_timeout", "options", "passfile",
    "gssencmode", "requiressl", "channel_binding" };

} // namespace

bool ServerUrl::Is(const std::string& text)
{
    return text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0;
}

std::optional<ServerUrl> ServerUrl::Parse(const std::string& text, std::string* error)
{
    const auto fail = [&](const QString& why) -> std::optional<ServerUrl> {
        if (error)
            *error = why.toStdString();
        return std::nullopt;
    };
    if (!Is(text))
        return fail(QStringLiteral("“%1”不是数据库服务器的地址（应以 postgresql:// 开头）")
                        .arg(QString::fromStdString(text)));
    ServerUrl url;
    std::string rest = text.substr(text.find("://") + 3);
    std::string query;
    if (const size_t q = rest.find('?'); q != std::string::npos) {
        query = rest.substr(q + 1);
        rest.erase(q);
    }
    std::string authority = rest;
    if (const size_t slash = rest.find('/'); slash != std::string::npos) {
        authority = rest.substr(0, slash);
        url.database = Decode(rest.substr(slash + 1));
    }
    if (const size_t at = authority.rfind('@'); at != std::string::npos) {
        const std::string login = authority.substr(0, at);
        authority.erase(0, at + 1);
        const size_t colon = login.find(':');
        url.user = Decode(login.substr(0, colon));
        if (colon != std::string::npos)
            url.password = Decode(login.substr(colon + 1));
    }
    std::string port;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string::npos)
            return fail(QStringLiteral("地址“%1”中的 IPv6 主机少了“]”")
                            .arg(QString::fromStdString(url.display())));
        url.host = authority.substr(1, close - 1);
        if (close + 1 < authority.size() && authority[close + 1] == ':')
            port = authority.substr(close + 2);
    } else {
        const size_t colon = authority.rfind(':');
        url.host = Decode(authority.substr(0, colon));
        if (colon != std::string::npos)
            port = authority.substr(colon + 1);
    }
    if (!port.empty()) {
        bool ok = false;
        const int n = QString::fromStdString(port).toInt(&ok);
        if (!ok || n < 1 || n > 65535)
            return fail(QStringLiteral("地址中的端口“%1”不是 1 到 65535 之间的整数")
                            .arg(QString::fromStdString(port)));
        url.port = n;
    }
    size_t from = 0;
    while (from < query.size()) {
        size_t end = query.find('&', from);
        if (end == std::string::npos)
            end = query.size();
        const std::string pair = query.substr(from, end - from);
        from = end + 1;
        if (pair.empty())
            continue;
        const size_t eq = pair.find('=');
        const std::string key = Decode(pair.substr(0, eq));
        if (eq == std::string::npos || kKeys.count(key) == 0)
            return fail(
                QStringLiteral("地址中的参数“%1”无法识别").arg(QString::fromStdString(pair)));
        const std::string value = Decode(pair.substr(eq + 1));
        if (key == "host")
            url.host = value;
        else if (key == "dbname")
            url.database = value;
        else if (key == "user")
            url.user = value;
        else if (key == "port")
            url.port = QString::fromStdString(value).toInt();
        else
            url.options[key] = value;
    }
    return url;
}

std::string ServerUrl::display() const
{
    std::string text = "postgresql://";
    if (!user.empty())
        text += Encode(user) + "@";
    if (host.find(':') != std::string::npos && host.front() != '/')
        text += "[" + host + "]";
    else
        text += Encode(host);
    if (port != 0)
        text += ":" + std::to_string(port);
    text += "/" + Encode(database);
    std::string sep = "?";
    for (const auto& [key, value] : options) {
        if (key == "sslpassword")
            continue;
        text += sep + key + "=" + Encode(value);
        sep = "&";
    }
    return text;
}

std::string ServerUrl::shortName() const
{
    std::string text;
    if (!user.empty())
        text += user + "@";
    text += host;
    if (port != 0)
        text += ":" + std::to_string(port);
    if (!database.empty())
        text += "/" + database;
    if (const auto service = options.find("service"); service != options.end())
        text += (text.empty() ? "" : " ") + std::string("service=") + service->second;
    return text.empty() ? std::string("PGSERVICE") : text;
}

std::string ServerUrl::connectOptions() const
{
    std::string text;
    for (const auto& [key, value] : options) {
        if (key == "port")
            continue;
        text += (text.empty() ? "" : ";") + key + "=" + Quoted(value);
    }
    return text;
}
