#include "settings/databasedlg.h"

#include "common/numberrule.h"
#include "common/prompter.h"
#include "records/recordstore.h"
#include "records/serverurl.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace {

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

template <class W> W* Named(W* widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

} // namespace

const QStringList& CDatabaseDlg::SslModes()
{
    static const QStringList modes = { QStringLiteral("disable"), QStringLiteral("allow"),
        QStringLiteral("prefer"), QStringLiteral("require"), QStringLiteral("verify-ca"),
        QStringLiteral("verify-full") };
    return modes;
}

CDatabaseDlg::CDatabaseDlg(
    const QString& current, const QString& password, Connector connector, QWidget* parent)
    : QDialog(parent)
    , m_connector(std::move(connector))
{
    setObjectName(QString::number(IDD_DATABASE));
    setWindowTitle(QStringLiteral("数据库"));
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(12);
    setFont(font);

    m_pLocal = Named(new QRadioButton(QStringLiteral("本机(&L)"), this), IDC_DB_LOCAL);
    m_pFile = Named(new QLineEdit(this), IDC_DB_FILE);
    m_pFile->setMinimumWidth(m_pFile->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 32);
    m_pFile->setAccessibleName(QStringLiteral("数据库文件"));
    m_pBrowse = Named(new QPushButton(QStringLiteral("浏览(&B)…"), this), IDC_DB_BROWSE);
    m_pServer = Named(new QRadioButton(QStringLiteral("服务器(&S)"), this), IDC_DB_SERVER);
    m_pHost = Named(new QLineEdit(this), IDC_DB_HOST);
    m_pPort = Named(new QLineEdit(this), IDC_DB_PORT);
    m_pPort->setPlaceholderText(QStringLiteral("5432"));
    m_pName = Named(new QLineEdit(this), IDC_DB_NAME);
    m_pUser = Named(new QLineEdit(this), IDC_DB_USER);
    m_pPassword = Named(new QLineEdit(this), IDC_DB_PASSWORD);
    m_pPassword->setEchoMode(QLineEdit::Password);
    m_pPassword->setPlaceholderText(QStringLiteral("空：用密码文件或 PGSERVICE"));
    m_pSslMode = Named(new QComboBox(this), IDC_DB_SSLMODE);
    m_pSslMode->addItems(SslModes());
    m_pSslMode->setCurrentText(QStringLiteral("prefer"));

    auto* local = new QGroupBox(this);
    auto* localRow = new QHBoxLayout(local);
    localRow->addWidget(Label(QStringLiteral("文件(&F)："), m_pFile, local));
    localRow->addWidget(m_pFile, 1);
    localRow->addWidget(m_pBrowse);

    auto* server = new QGroupBox(this);
    auto* grid = new QGridLayout(server);
    const std::pair<const char*, QWidget*> rows[] = { { "主机(&H)：", m_pHost },
        { "端口(&P)：", m_pPort }, { "数据库(&D)：", m_pName }, { "用户(&U)：", m_pUser },
        { "密码(&W)：", m_pPassword }, { "SSL 模式(&M)：", m_pSslMode } };
    int row = 0;
    for (const auto& [text, box] : rows) {
        grid->addWidget(Label(QString::fromUtf8(text), box, server), row, 0);
        grid->addWidget(box, row++, 1);
    }
    auto* note = new QLabel(QStringLiteral("密码只在本次运行中使用，不保存。"), server);
    note->setWordWrap(true);
    grid->addWidget(note, row, 0, 1, 2);

    m_pConnect = Named(new QPushButton(QStringLiteral("连接(&C)"), this), IDC_DB_CONNECT);
    m_pConnect->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_pConnect, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setText(QStringLiteral("取消"));
    cancel->setObjectName(QString::number(2));
    connect(m_pConnect, &QPushButton::clicked, this, &CDatabaseDlg::OnConnect);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pBrowse, &QPushButton::clicked, this, &CDatabaseDlg::OnBrowse);
    connect(m_pLocal, &QRadioButton::toggled, this, &CDatabaseDlg::updateEnabled);

    auto* page = new QVBoxLayout(this);
    page->addWidget(m_pLocal);
    page->addWidget(local);
    page->addWidget(m_pServer);
    page->addWidget(server);
    page->addWidget(buttons);

    setTabOrder(m_pLocal, m_pFile);
    setTabOrder(m_pFile, m_pBrowse);
    setTabOrder(m_pBrowse, m_pServer);
    setTabOrder(m_pServer, m_pHost);
    setTabOrder(m_pHost, m_pPort);
    setTabOrder(m_pPort, m_pName);
    setTabOrder(m_pName, m_pUser);
    setTabOrder(m_pUser, m_pPassword);
    setTabOrder(m_pPassword, m_pSslMode);
    setTabOrder(m_pSslMode, m_pConnect);
    setTabOrder(m_pConnect, cancel);

    const std::optional<ServerUrl> url = ServerUrl::Is(current.toStdString())
        ? ServerUrl::Parse(current.toStdString())
        : std::nullopt;
    if (url) {
        m_pServer->setChecked(true);
        m_pHost->setText(QString::fromStdString(url->host));
        if (url->port != 0)
            m_pPort->setText(QString::number(url->port));
        m_pName->setText(QString::fromStdString(url->database));
        m_pUser->setText(QString::fromStdString(url->user));
        m_pPassword->setText(password);
        if (const auto mode = url->options.find("sslmode"); mode != url->options.end())
            m_pSslMode->setCurrentText(QString::fromStdString(mode->second));
        // Back to 本机 is most often back to the default file.
        m_pFile->setText(QString::fromStdString(RecordStore::DefaultPath()));
    } else {
        m_pLocal->setChecked(true);
        m_pFile->setText(current);
    }
    updateEnabled();
}

void CDatabaseDlg::updateEnabled()
{
    const bool local = m_pLocal->isChecked();
    for (QWidget* w : { static_cast<QWidget*>(m_pFile), static_cast<QWidget*>(m_pBrowse) })
        w->setEnabled(local);
    for (QWidget* w : { static_cast<QWidget*>(m_pHost), static_cast<QWidget*>(m_pPort),
             static_cast<QWidget*>(m_pName), static_cast<QWidget*>(m_pUser),
             static_cast<QWidget*>(m_pPassword), static_cast<QWidget*>(m_pSslMode) })
        w->setEnabled(!local);
}

bool CDatabaseDlg::serverChosen() const
{
    return m_pServer->isChecked();
}

QString CDatabaseDlg::password() const
{
    return serverChosen() ? m_pPassword->text() : QString();
}

QString CDatabaseDlg::address() const
{
    if (!serverChosen()) {
        const QString file = m_pFile->text().trimmed();
        return file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    }
    ServerUrl url;
    url.host = m_pHost->text().trimmed().toStdString();
    url.port = m_pPort->text().trimmed().toInt();
    url.database = m_pName->text().trimmed().toStdString();
    url.user = m_pUser->text().trimmed().toStdString();
    url.options["sslmode"] = m_pSslMode->currentText().toStdString();
    return QString::fromStdString(url.display());
}

void CDatabaseDlg::OnBrowse()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("数据库文件");
    request.filters
        = { QStringLiteral("数据库文件 (*.sqlite *.db)"), QStringLiteral("所有文件 (*.*)") };
    request.proposedPath = m_pFile->text();
    request.defaultSuffix = QStringLiteral("sqlite");
    request.confirmReplace = false; // an existing store is opened, not replaced
    const QString path = Prompter::current()->saveFileName(this, request);
    if (!path.isEmpty())
        m_pFile->setText(QFileInfo(path).absoluteFilePath());
}

void CDatabaseDlg::OnConnect()
{
    if (!serverChosen() && m_pFile->text().trimmed().isEmpty()) {
        ShowExclamation(this, QStringLiteral("请填写数据库文件，或按“浏览”选择。"));
        m_pFile->setFocus();
        return;
    }
    if (serverChosen()) {
        const QString port = m_pPort->text().trimmed();
        if (!port.isEmpty()) {
            const std::optional<double> n = ReadNumberBox(port.toStdString(), NumberBoxType::Int);
            if (!n || *n < 1 || *n > 65535) {
                if (!n)
                    ShowMessage(this, NotANumberMessage());
                else
                    ShowExclamation(this, QStringLiteral("端口应为 1 到 65535 之间的整数。"));
                m_pPort->setFocus();
                m_pPort->selectAll();
                return;
            }
            m_pPort->setText(QString::number(static_cast<int>(*n)));
        }
    }
    QString error;
    if (m_connector && !m_connector(address(), password(), &error)) {
        ShowNotice(this, Prompter::Icon::Exclamation, QStringLiteral("数据库"),
            error + QStringLiteral("\n\n仍使用原来的数据库。"));
        return;
    }
    accept();
}
