#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The controls of 设置 → 数据库.
enum : int
{
    IDD_DATABASE = 1800,
    IDC_DB_LOCAL = 1801,
    IDC_DB_FILE = 1802,
    IDC_DB_BROWSE = 1803,
    IDC_DB_SERVER = 1804,
    IDC_DB_HOST = 1805,
    IDC_DB_PORT = 1806,
    IDC_DB_NAME = 1807,
    IDC_DB_USER = 1808,
    IDC_DB_PASSWORD = 1809,
    IDC_DB_SSLMODE = 1810,
    IDC_DB_CONNECT = 1811,
};

// Where the records are kept: 本机 (an SQLite file) or 服务器 (the
// laboratory's PostgreSQL server). 连接 tries the choice through the
// connector and closes only when it succeeds; a failure is told and the
// dialog stays, so the store in use is never given up for a bad choice.
class CDatabaseDlg : public QDialog
{
    Q_OBJECT

public:
    // Opens `address` (a file or a server address without the password)
    // with `password`; false with the reason (Chinese) in `error`.
    using Connector
        = std::function<bool(const QString& address, const QString& password, QString* error)>;

    // `current`: the file or server address in use; `password`: this
    // session's, when the server is the one in use.
    CDatabaseDlg(const QString& current, const QString& password, Connector connector,
        QWidget* parent = nullptr);

    // The choice: a file's path, or postgresql://user@host:port/db?sslmode=…
    // (never with the password).
    QString address() const;
    QString password() const;
    bool serverChosen() const;

    // libpq's sslmode values, in the order the list shows them.
    static const QStringList& SslModes();

public Q_SLOTS:
    void OnConnect();
    void OnBrowse();

private:
    void updateEnabled();

    Connector m_connector;
    QRadioButton* m_pLocal = nullptr;
    QRadioButton* m_pServer = nullptr;
    QLineEdit* m_pFile = nullptr;
    QPushButton* m_pBrowse = nullptr;
    QLineEdit* m_pHost = nullptr;
    QLineEdit* m_pPort = nullptr;
    QLineEdit* m_pName = nullptr;
    QLineEdit* m_pUser = nullptr;
    QLineEdit* m_pPassword = nullptr;
    QComboBox* m_pSslMode = nullptr;
    QPushButton* m_pConnect = nullptr;
};
