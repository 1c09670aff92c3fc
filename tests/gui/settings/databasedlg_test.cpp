// 设置 → 数据库 on a real server: a refused choice keeps the store in use, an
// accepted one is kept without its password, and a press made while the
// server is away waits in the status bar's count until it is sent.
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "guitestmain.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "records/ledger.h"
#include "records/recordstore.h"
#include "records/serveradmin.h"
#include "settings/databasedlg.h"
#include "store/pgcluster.h"
#include "testapp.h"
#include "view/qoruview.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>

#include <memory>
#include <optional>

class DatabaseDlgTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    PgCluster* m_cluster = nullptr;

    // The dialog as the app shows it, filled in for the cluster over TCP.
    std::unique_ptr<CDatabaseDlg> serverChoice(const QString& password)
    {
        auto dialog = std::make_unique<CDatabaseDlg>(QString(), QString(),
            [this](const QString& address, const QString& pw, QString* error) {
                return m_app->connectRecords(address, pw, error);
            });
        const auto box = [&](int id) { return dialog->findChild<QLineEdit*>(QString::number(id)); };
        dialog->findChild<QRadioButton*>(QString::number(IDC_DB_SERVER))->setChecked(true);
        box(IDC_DB_HOST)->setText(QStringLiteral("127.0.0.1"));
        box(IDC_DB_PORT)->setText(QString::number(m_cluster->port()));
        box(IDC_DB_NAME)->setText(QStringLiteral("shell"));
        box(IDC_DB_USER)->setText(QStringLiteral("wang"));
        box(IDC_DB_PASSWORD)->setText(password);
        dialog->findChild<QComboBox*>(QString::number(IDC_DB_SSLMODE))
            ->setCurrentText(QStringLiteral("disable"));
        return dialog;
    }

    void pressMix1()
    {
        CMixDesignDlg form(m_app->view());
        m_app->calculators()->attach(&form);
        form.setModal(false);
        form.show();
        form.button(IDC_CALCULATE)->click();
        form.reject();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString why;
        m_cluster = SharedCluster(&why);
        if (!m_cluster)
            QSKIP(qPrintable(QStringLiteral("no PostgreSQL server: ") + why));
        QVERIFY(m_cluster->recreateDatabase(QStringLiteral("shell")));
        RecordStore admin;
        OpenOptions make;
        make.serverSchema = ServerSchema::Create;
        QVERIFY(admin.open(
            m_cluster->url(m_cluster->superuser(), QStringLiteral("shell")).toStdString(), make));
        QVERIFY(AddUser(admin, "wang", UserRole::Tester, "s3cret"));
        // The queue's local file is the default one: a test's own, and empty.
        QStandardPaths::setTestModeEnabled(true);
        for (const char* end : { "", "-wal", "-shm" })
            QFile::remove(QString::fromStdString(RecordStore::DefaultPath()) + QLatin1String(end));
        QVERIFY(StartTestApp(m_prompter, m_app));
        QTRY_VERIFY(m_app->records().isOpen());
    }

    void cleanupTestCase()
    {
        if (m_app)
            StopTestApp(m_prompter, m_app);
    }

    void a_refused_choice_keeps_the_store_in_use()
    {
        const std::string before = m_app->records().path();
        auto dialog = serverChoice(QStringLiteral("wrong"));
        dialog->findChild<QPushButton*>(QString::number(IDC_DB_CONNECT))->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(m_prompter->texts().join(QString()).contains(QStringLiteral("密码")));
        QVERIFY(m_app->records().isOpen());
        QCOMPARE(m_app->records().path(), before);
        QCOMPARE(m_app->role(), UserRole::Owner);
    }

    void the_settings_never_hold_the_password()
    {
        auto dialog = serverChoice(QStringLiteral("s3cret"));
        dialog->findChild<QPushButton*>(QString::number(IDC_DB_CONNECT))->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QVERIFY(m_app->records().onServer());
        QCOMPARE(m_app->role(), UserRole::Tester);
        QCOMPARE(m_app->operatorName(), QStringLiteral("wang")); // the login, not the OS user
        const QString where = m_app->mainFrame()->recordsPane()->text();
        QVERIFY2(where.contains(QStringLiteral("wang@127.0.0.1"))
                && where.contains(QStringLiteral("试验员")),
            qPrintable(where));

        QSettings settings = AppSettings();
        settings.sync();
        QFile file(settings.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray kept = file.readAll();
        QVERIFY(kept.contains("wang@127.0.0.1"));
        QVERIFY(!kept.contains("s3cret"));
    }

    void a_press_while_the_server_is_away_waits_and_is_sent()
    {
        QVERIFY(m_app->records().onServer());
        QLabel* queue = m_app->mainFrame()->queuePane();
        QVERIFY(m_cluster->stop());
        pressMix1();
        QCOMPARE(m_app->queuedRecords(), 1);
        QVERIFY(!queue->isHidden());
        QCOMPARE(queue->text(), QStringLiteral("待发送 1 条"));
        QVERIFY(m_app->mainFrame()->recordsPane()->text().contains(QStringLiteral("未连接")));

        QVERIFY(m_cluster->start());
        m_app->flushQueue();
        QTRY_VERIFY(!m_app->flushing());
        QCOMPARE(m_app->queuedRecords(), 0);
        QVERIFY(queue->isHidden());
        QVERIFY(!m_app->mainFrame()->recordsPane()->text().contains(QStringLiteral("未连接")));
        QCOMPARE(*DesignLedger(m_app->records()).countEntries(LedgerFilter {}), std::int64_t(1));
        const auto rows = DesignLedger(m_app->records()).listEntries(LedgerFilter {}, 0, 1);
        QVERIFY(rows && rows->size() == 1);
        QCOMPARE(rows->front().operatorName, std::string("wang")); // also while it waited
    }

    // A host that takes the connection but never answers (its backlog
    // accepts, nobody reads) keeps a connect waiting for its whole timeout.
    void a_flush_never_holds_up_the_window()
    {
        const QString address = QStringLiteral(
            "postgresql://wang@127.0.0.1:%1/shell?sslmode=disable&connect_timeout=2")
                                    .arg(m_cluster->port());
        QString why;
        QVERIFY2(m_app->connectRecords(address, QStringLiteral("s3cret"), &why), qPrintable(why));
        QTRY_VERIFY(!m_app->flushing());
        const std::int64_t before = *DesignLedger(m_app->records()).countEntries(LedgerFilter {});
        QVERIFY(m_cluster->stop());
        pressMix1();
        QCOMPARE(m_app->queuedRecords(), 1);
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, quint16(m_cluster->port())));
        silent.pauseAccepting();

        bool flushDone = false;
        connect(m_app.get(), &CQoruApp::queueFlushed, this, [&] { flushDone = true; });
        std::optional<bool> doneWhenTheWindowWasFree;
        QTimer::singleShot(0, this, [&] { doneWhenTheWindowWasFree = flushDone; });
        m_app->flushQueue();
        QTRY_VERIFY(doneWhenTheWindowWasFree.has_value());
        QCOMPARE(*doneWhenTheWindowWasFree, false);
        QTRY_VERIFY_WITH_TIMEOUT(flushDone, 15000);
        QCOMPARE(m_app->queuedRecords(), 1);
        QVERIFY(m_app->mainFrame()->recordsPane()->text().contains(QStringLiteral("未连接")));

        silent.close();
        QVERIFY(m_cluster->start());
        m_app->flushQueue();
        QTRY_VERIFY_WITH_TIMEOUT(!m_app->flushing(), 15000);
        QCOMPARE(m_app->queuedRecords(), 0);
        QVERIFY(!m_app->mainFrame()->recordsPane()->text().contains(QStringLiteral("未连接")));
        QCOMPARE(*DesignLedger(m_app->records()).countEntries(LedgerFilter {}), before + 1);
        disconnect(m_app.get(), &CQoruApp::queueFlushed, this, nullptr);
    }
};

QORU_GUI_TEST_MAIN(DatabaseDlgTest)
#include "databasedlg_test.moc"
