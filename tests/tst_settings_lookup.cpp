// Where the database settings file is found: beside the program first, then in the user's
// configuration folder, then in the installation's share/palvex and the system's data folders.

#include "database/ComponentDatabase.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsLookup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_program;   // <root>/prefix/bin, as an installation's bin/
    QString m_beside;    // app_setups.ini beside the program
    QString m_config;    // in the user's configuration folder
    QString m_installed; // in the installation's share/palvex
    QString m_system;    // in a system data folder

    QString path(const QString &relative) const { return QDir::cleanPath(m_root.filePath(relative)); }

    static void write(const QString &file)
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write("2:3,2:12\r\n3:1,3:2\r\n") > 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // The user's and the system's folders, as the desktop names them, point into the scratch folder.
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("home/config")).toUtf8());
        qputenv("XDG_DATA_HOME", path(QStringLiteral("home/data")).toUtf8());
        qputenv("XDG_DATA_DIRS", path(QStringLiteral("system")).toUtf8());
        m_system = path(QStringLiteral("system/palvex/app_setups.ini"));
#else
        QStandardPaths::setTestModeEnabled(true);
#endif
        m_program = path(QStringLiteral("prefix/bin"));
        QVERIFY(QDir().mkpath(m_program));
        m_beside = path(QStringLiteral("prefix/bin/app_setups.ini"));
        m_installed = path(QStringLiteral("prefix/share/palvex/app_setups.ini"));
        m_config = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                   + QStringLiteral("/palvex/app_setups.ini"));
    }

    void cleanup()
    {
        for (const QString &f : {m_beside, m_config, m_installed, m_system})
            if (!f.isEmpty())
                QFile::remove(f);
    }

    // The folders in the order they are tried.
    void order()
    {
        const QStringList candidates = DatabaseSettingsCandidates(m_program);
        QVERIFY(candidates.size() >= 3);
        QCOMPARE(candidates[0], m_beside);
        QCOMPARE(candidates[1], m_config);
        QCOMPARE(candidates[2], m_installed);
        if (!m_system.isEmpty()) {
            QCOMPARE(candidates.mid(3),
                     QStringList({path(QStringLiteral("home/data/palvex/app_setups.ini")), m_system}));
        }
        // The running program's own folder comes first.
        QCOMPARE(DatabaseSettingsCandidates().value(0),
                 QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/app_setups.ini")));
    }

    void firstFound_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("config");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("system");
        QTest::addColumn<QString>("found"); // which of them is used
        QTest::newRow("all of them") << true << true << true << true << QStringLiteral("beside");
        QTest::newRow("the user's and the installation's") << false << true << true << true << QStringLiteral("config");
        QTest::newRow("the installation's and the system's") << false << false << true << true << QStringLiteral("installed");
        QTest::newRow("beside and installed") << true << false << true << false << QStringLiteral("beside");
        QTest::newRow("the system's only") << false << false << false << true << QStringLiteral("system");
        QTest::newRow("none: the message names the first place") << false << false << false << false << QStringLiteral("beside");
    }

    void firstFound()
    {
        QFETCH(bool, beside);
        QFETCH(bool, config);
        QFETCH(bool, installed);
        QFETCH(bool, system);
        QFETCH(QString, found);
        if (system && m_system.isEmpty())
            QSKIP("the system's data folders are set through XDG_DATA_DIRS on Linux only");
        const std::pair<bool, QString> files[] = {{beside, m_beside}, {config, m_config}, {installed, m_installed}, {system, m_system}};
        for (const auto &[present, file] : files)
            if (present)
                write(file);
        const QString expected = found == QStringLiteral("beside") ? m_beside
            : found == QStringLiteral("config")                    ? m_config
            : found == QStringLiteral("installed")                 ? m_installed
                                                                   : m_system;
        QCOMPARE(DefaultDatabaseSettingsFile(m_program), expected);
        if (QFile::exists(expected))
            QVERIFY(ReadDatabaseSettings(expected, nullptr));
    }

    // A folder that bears the settings file's name is not the settings file.
    void folderIsSkipped()
    {
        QVERIFY(QDir().mkpath(m_beside));
        write(m_installed);
        QCOMPARE(DefaultDatabaseSettingsFile(m_program), m_installed);
        QVERIFY(QDir(m_beside).removeRecursively());
    }
};

QTEST_GUILESS_MAIN(TestSettingsLookup)
#include "tst_settings_lookup.moc"
