#include "records/serveradmin.h"

#include "records/connection.h"

#include <QRegularExpression>

namespace {

QString Group(UserRole role)
{
    switch (role) {
    case UserRole::Tester:
        return QStringLiteral("qoru_tester");
    case UserRole::Reviewer:
        return QStringLiteral("qoru_reviewer");
    case UserRole::Admin:
        return QStringLiteral("qoru_admin");
    default:
        return {};
    }
}

QString Identifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Literal(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

Result<StoreConnection*> ServerConnection(RecordStore& store)
{
    StoreConnection* c = store.connection();
    if (!c)
        return store.closedError();
    if (!c->dialect().logins)
        return Error(StoreErrorCode::Invalid,
            QStringLiteral("本机数据库“%1”没有用户，用户只在数据库服务器上管理。")
                .arg(Q(store.path())));
    return c;
}

// A login name: what a user would type, nothing psql would read as SQL.
Result<void> CheckName(const std::string& name)
{
    static const QRegularExpression good(QStringLiteral("^[\\p{L}\\p{N}_.-]{1,63}$"));
    const QString text = Q(name);
    if (!good.match(text).hasMatch() || text.startsWith(QStringLiteral("pg_"))
        || text.startsWith(QStringLiteral("qoru_")))
        return Invalid("name",
            QStringLiteral("用户名“%1”不可用：请用 1 到 63 个字母、数字、“_”“.”或“-”，"
                           "且不以 pg_ 或 qoru_ 开头。")
                .arg(text));
    return {};
}

} // namespace

std::string UserRoleName(UserRole role)
{
    switch (role) {
    case UserRole::None:
        return "无权限";
    case UserRole::Tester:
        return "试验员";
    case UserRole::Reviewer:
        return "审核人";
    case UserRole::Admin:
        return "管理员";
    case UserRole::Owner:
        return "数据库所有者";
    }
    return {};
}

UserRole ParseUserRole(const std::string& text)
{
    if (text == "tester")
        return UserRole::Tester;
    if (text == "reviewer")
        return UserRole::Reviewer;
    if (text == "admin")
        return UserRole::Admin;
    return UserRole::None;
}

Result<std::string> CurrentLogin(RecordStore& store)
{
    StoreConnection* c = store.connection();
    if (!c)
        return store.closedError();
    if (!c->dialect().logins)
        return std::string();
    auto name = c->scalar(QStringLiteral("SELECT current_user"));
    if (!name)
        return name.error();
    return S(name->toString());
}

Result<UserRole> CurrentRole(RecordStore& store)
{
    StoreConnection* c = store.connection();
    if (!c)
        return store.closedError();
    if (!c->dialect().logins)
        return UserRole::Owner;
    auto q = c->run(
        QStringLiteral("SELECT rolsuper, pg_has_role(current_user, 'qoru_admin', 'MEMBER'),"
                       " pg_has_role(current_user, 'qoru_reviewer', 'MEMBER'),"
                       " pg_has_role(current_user, 'qoru_tester', 'MEMBER')"
                       " FROM pg_roles WHERE rolname = current_user"));
    if (!q)
        return q.error();
    if (!q->next())
        return UserRole::None;
    if (q->value(0).toBool())
        return UserRole::Owner;
    if (q->value(1).toBool())
        return UserRole::Admin;
    if (q->value(2).toBool())
        return UserRole::Reviewer;
    if (q->value(3).toBool())
        return UserRole::Tester;
    return UserRole::None;
}

Result<void> AddUser(
    RecordStore& store, const std::string& name, UserRole role, const std::string& password)
{
    auto c = ServerConnection(store);
    if (!c)
        return c.error();
    if (auto ok = CheckName(name); !ok)
        return ok;
    if (Group(role).isEmpty())
        return Invalid("role", QStringLiteral("角色只能是 tester、reviewer 或 admin。"));
    StoreConnection& db = **c;
    const QString who = Identifier(Q(name));
    // Roles belong to the whole server, not to one transaction's database,
    // but PostgreSQL still keeps them transactional: all of it or none.
    return db.write([&]() -> Result<void> {
        auto exists = db.scalar(
            QStringLiteral("SELECT count(*) FROM pg_roles WHERE rolname = ?"), { Q(name) });
        if (!exists)
            return exists.error();
        const QString attributes = role == UserRole::Admin ? QStringLiteral("LOGIN CREATEROLE")
                                                           : QStringLiteral("LOGIN NOCREATEROLE");
        auto made = db.exec((exists->toInt() > 0 ? QStringLiteral("ALTER ROLE %1 %2")
                                                 : QStringLiteral("CREATE ROLE %1 %2"))
                                .arg(who, attributes));
        if (!made)
            return made;
        if (!password.empty())
            if (auto set = db.exec(
                    QStringLiteral("ALTER ROLE %1 PASSWORD %2").arg(who, Literal(Q(password))));
                !set)
                return set;
        for (UserRole other : { UserRole::Tester, UserRole::Reviewer, UserRole::Admin }) {
            if (other == role)
                continue;
            auto member = db.scalar(QStringLiteral("SELECT count(*) FROM pg_auth_members m"
                                                   " JOIN pg_roles g ON g.oid = m.roleid"
                                                   " JOIN pg_roles u ON u.oid = m.member"
                                                   " WHERE g.rolname = ? AND u.rolname = ?"),
                { Group(other), Q(name) });
            if (!member)
                return member.error();
            if (member->toInt() > 0)
                if (auto out = db.exec(QStringLiteral("REVOKE %1 FROM %2").arg(Group(other), who));
                    !out)
                    return out;
        }
        return db.exec(QStringLiteral("GRANT %1 TO %2").arg(Group(role), who));
    });
}

Result<void> RemoveUser(RecordStore& store, const std::string& name)
{
    auto c = ServerConnection(store);
    if (!c)
        return c.error();
    if (auto ok = CheckName(name); !ok)
        return ok;
    StoreConnection& db = **c;
    return db.write([&]() -> Result<void> {
        auto exists
            = db.scalar(QStringLiteral("SELECT count(*) FROM pg_roles r WHERE rolname = ?"
                                       " AND (pg_has_role(r.oid, 'qoru_tester', 'MEMBER'))"),
                { Q(name) });
        if (!exists)
            return exists.error();
        if (exists->toInt() == 0)
            return Error(StoreErrorCode::NotFound,
                QStringLiteral("服务器上没有 Qoru 用户“%1”。").arg(Q(name)));
        // Entries keep the name they were made under: the records stay.
        return db.exec(QStringLiteral("DROP ROLE %1").arg(Identifier(Q(name))));
    });
}
