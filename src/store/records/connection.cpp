#include "records/connection.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}
std::string S(const QString& text)
{
    return text.toStdString();
}

StoreError Invalid(const std::string& field, const QString& message)
{
    return StoreError { StoreErrorCode::Invalid, S(message), field };
}

StoreError Error(StoreErrorCode code, const QString& message)
{
    return StoreError { code, S(message), {} };
}

namespace {

// Why a server turned a connection down, in words for the user. libpq's own
// texts come in the program's language and the server's in its own, so
// both the English and the Chinese wording are looked for.
QString ConnectFailure(const QString& server, const QString& reason)
{
    const auto has = [&](std::initializer_list<const char*> words) {
        for (const char* w : words)
            if (reason.contains(QString::fromUtf8(w), Qt::CaseInsensitive))
                return true;
        return false;
    };
    QString why;
    if (has({ "password authentication failed", "Password 认证失败", "口令不匹配" }))
        why = QStringLiteral("服务器拒绝了用户名或密码，请检查后重新输入。");
    else if (has({ "no password supplied" }))
        why = QStringLiteral(
            "服务器要求密码：请输入密码，或在 libpq 的密码文件（PGPASSFILE）里写好。");
    else if (has({ "pg_hba.conf" }))
        why = QStringLiteral(
            "服务器不允许这个用户从本机连接这个数据库，请管理员检查 pg_hba.conf。");
    else if (has({ "does not support SSL", "不支持 SSL" }))
        why = QStringLiteral(
            "服务器不支持加密连接（SSL），而 SSL 模式要求加密，请改用 prefer 或与管理员联系。");
    else if (has({ "definition of service", "没有找到服务" }))
        why = QStringLiteral("找不到 PGSERVICE 指定的服务，请检查服务文件（PGSERVICEFILE）。");
    else if ((has({ "database \"", "数据库 \"" })) && has({ "does not exist", "不存在" }))
        why = QStringLiteral("服务器上没有这个数据库，请检查数据库名，或请管理员先建库并运行“qoru-"
                             "admin --server 地址 init”。");
    else if ((has({ "role \"", "角色 \"" })) && has({ "does not exist", "不存在" }))
        why = QStringLiteral(
            "服务器上没有这个用户，请检查用户名，或请管理员用“qoru-admin add-user”添加。");
    else
        why = QStringLiteral("服务器没有应答：它可能没有启动，或主机、端口不对，或网络不通。");
    return QStringLiteral("无法连接数据库服务器“%1”：%2（%3）")
        .arg(server, why, reason.simplified());
}

} // namespace

StoreConnection::StoreConnection(
    Dialect dialect, QString connectionName, QString path, int busyTimeoutMs)
    : m_dialect(std::move(dialect))
    , m_name(std::move(connectionName))
    , m_path(std::move(path))
    , m_busyTimeoutMs(busyTimeoutMs)
{ }

StoreConnection::~StoreConnection()
{
    close();
}

Result<void> StoreConnection::open()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(Q(m_dialect.driver), m_name);
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(m_name);
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("本机缺少 Qt 的 %1 数据库驱动，无法使用数据库“%2”。")
                .arg(Q(m_dialect.driver), m_path));
    }
    if (m_server) {
        // Empty parts are left to libpq (PGHOST, PGSERVICE, the password file).
        db.setHostName(Q(m_server->host));
        if (m_server->port != 0)
            db.setPort(m_server->port);
        db.setDatabaseName(Q(m_server->database));
        db.setUserName(Q(m_server->user));
        db.setPassword(Q(m_server->password));
        ServerUrl withTimeout = *m_server;
        // A server that is away must not freeze the program for long.
        withTimeout.options.emplace("connect_timeout", "5");
        // Nor may a connection whose server vanished without a word: data
        // unacknowledged for 10 s, or an idle line silent for a minute,
        // ends it, and the record waits in the local queue.
        withTimeout.options.emplace("tcp_user_timeout", "10000");
        withTimeout.options.emplace("keepalives_idle", "30");
        withTimeout.options.emplace("keepalives_interval", "10");
        withTimeout.options.emplace("keepalives_count", "3");
        db.setConnectOptions(Q(withTimeout.connectOptions()));
    } else {
        db.setDatabaseName(m_path);
    }
    if (m_dialect.kind == SqlDialect::SQLite)
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        const QString reason
            = error.databaseText().isEmpty() ? error.text() : error.databaseText().trimmed();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        if (m_server)
            return Error(StoreErrorCode::Unavailable, ConnectFailure(m_path, reason));
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("无法打开数据库“%1”：%2").arg(m_path, reason));
    }
    return {};
}

void StoreConnection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

StoreError StoreConnection::failure(const QSqlQuery& query) const
{
    const QSqlError error = query.lastError();
    const QString reason = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    FailureKind kind = m_dialect.classify(S(error.nativeErrorCode()));
    // A server that dropped the connection often sends no SQLSTATE: ask it
    // something trivial to tell a broken line from a refused statement.
    if (m_server && kind == FailureKind::Other && !alive())
        kind = FailureKind::Lost;
    if (kind == FailureKind::Lost)
        m_broken = true;
    switch (kind) {
    case FailureKind::Busy:
        return Error(StoreErrorCode::Busy,
            QStringLiteral("数据库“%1”被其他程序占用，等待 %2 秒后仍未释放，本次修改没有保存。")
                .arg(m_path)
                .arg(m_busyTimeoutMs / 1000.0));
    case FailureKind::DiskFull:
        return Error(StoreErrorCode::DiskFull,
            QStringLiteral("数据库“%1”所在的磁盘已满，本次修改没有保存，数据库保持原样。")
                .arg(m_path));
    case FailureKind::ReadOnly:
        return Error(StoreErrorCode::ReadOnly,
            QStringLiteral("数据库“%1”是只读的，本次修改没有保存。").arg(m_path));
    case FailureKind::Damaged:
        return Error(StoreErrorCode::Damaged,
            QStringLiteral("数据库“%1”已损坏（%2），请重新启动 Qoru 以检查并重建。")
                .arg(m_path, reason));
    case FailureKind::Denied:
        // The guard's own words when it raised them, else the plain refusal.
        if (reason.contains(QStringLiteral("台账记录")))
            return Error(StoreErrorCode::Denied,
                QStringLiteral("服务器拒绝了这项操作：%1")
                    .arg(reason.section(QLatin1Char('\n'), 0, 0)
                             .remove(QStringLiteral("ERROR:"))
                             .trimmed()));
        return Error(StoreErrorCode::Denied,
            QStringLiteral(
                "服务器拒绝了这项操作：您的账号在“%1”上没有这项权限，请找审核人或管理员。")
                .arg(m_path));
    case FailureKind::Lost:
        return Error(StoreErrorCode::Lost,
            QStringLiteral("与数据库服务器“%1”的连接断开了，本次修改没有保存；"
                           "修改、审核和下发都要连上服务器，请在服务器恢复后再试。")
                .arg(m_path));
    default:
        return Error(
            StoreErrorCode::Failed, QStringLiteral("数据库“%1”读写出错：%2").arg(m_path, reason));
    }
}

Result<QSqlQuery> StoreConnection::run(const QString& sql, const QVariantList& values)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.setForwardOnly(true);
    // Without values, straight: PostgreSQL prepares no SET or BEGIN.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            return failure(query);
        return query;
    }
    if (!query.prepare(sql))
        return failure(query);
    for (const QVariant& value : values) {
        // Qt SQL binds a null QString as NULL; the store's texts are never NULL.
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    if (!query.exec())
        return failure(query);
    return query;
}

Result<void> StoreConnection::exec(const QString& sql, const QVariantList& values)
{
    auto query = run(sql, values);
    if (!query)
        return query.error();
    return {};
}

Result<std::int64_t> StoreConnection::insert(const QString& sql, const QVariantList& values)
{
    if (m_dialect.insertReturnsId) {
        auto id = scalar(sql + QStringLiteral(" RETURNING id"), values);
        if (!id)
            return id.error();
        return id->toLongLong();
    }
    auto query = run(sql, values);
    if (!query)
        return query.error();
    return query->lastInsertId().toLongLong();
}

Result<QVariant> StoreConnection::scalar(const QString& sql, const QVariantList& values)
{
    auto query = run(sql, values);
    if (!query)
        return query.error();
    QSqlQuery& q = query.value();
    return q.next() ? q.value(0) : QVariant();
}

bool StoreConnection::watch(
    const std::string& channel, std::function<void(const std::string&)> heard)
{
    m_channel = channel;
    m_heard = std::move(heard);
    return subscribe();
}

bool StoreConnection::subscribe()
{
    QSqlDriver* driver = database().driver();
    if (!driver || !driver->hasFeature(QSqlDriver::EventNotifications))
        return false;
    const QString channel = Q(m_channel);
    if (!driver->subscribedToNotifications().contains(channel)
        && !driver->subscribeToNotification(channel))
        return false;
    // The driver is the context: a new connection has a new driver and a
    // new subscription, and the old one's ends with it.
    QObject::connect(driver, &QSqlDriver::notification, driver,
        [this, channel](
            const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload) {
            if (source == QSqlDriver::OtherSource && name == channel && m_heard)
                m_heard(S(payload.toString()));
        });
    return true;
}

QSqlDatabase StoreConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool StoreConnection::alive() const
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isOpen())
        return false;
    QSqlQuery probe(db);
    return probe.exec(QStringLiteral("SELECT 1"));
}

Result<void> StoreConnection::reconnect()
{
    close();
    auto opened = open();
    if (!opened)
        return opened;
    m_broken = false;
    if (m_heard && !subscribe())
        return Error(StoreErrorCode::Lost,
            QStringLiteral("无法重新订阅数据库服务器“%1”的变更通知。").arg(m_path));
    for (const std::string& sql : m_dialect.sessionSetup(JournalMode::Server))
        if (auto done = exec(Q(sql)); !done)
            return done;
    return {};
}

Result<void> StoreConnection::write(const std::function<Result<void>()>& body)
{
    // A server connection that broke since the last change is made anew;
    // one that breaks inside a transaction loses that transaction only.
    if (m_broken)
        if (auto back = reconnect(); !back)
            return back;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        Result<void> done = exec(Q(m_dialect.beginWrite));
        if (done) {
            done = body();
            if (done)
                done = exec(QStringLiteral("COMMIT"));
            if (!done) {
                // Some failures (a full disk) roll back by themselves; the
                // ROLLBACK then finds no transaction, which is fine.
                QSqlQuery rollback(QSqlDatabase::database(m_name, false));
                rollback.exec(QStringLiteral("ROLLBACK"));
            }
        }
        if (done || done.error().code != StoreErrorCode::Busy || clock.elapsed() >= m_busyTimeoutMs)
            return done;
        QThread::msleep(5);
    }
}

Result<void> StoreConnection::read(const std::function<Result<void>()>& body)
{
    Result<void> begun = exec(QStringLiteral("BEGIN"));
    if (!begun)
        return begun;
    Result<void> done = body();
    QSqlQuery end(QSqlDatabase::database(m_name, false));
    end.exec(QStringLiteral("COMMIT"));
    return done;
}
