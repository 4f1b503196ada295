// The project file: the document as Windows-1251 lines and back, opening through the session
// (checked whole before anything changes), and saves that never damage the file they replace.
#include "core/Numbers.h"
#include "files/Cp1251.h"
#include "files/ProjectFile.h"
#include "files/SafeSave.h"
#include "session/ProjectSession.h"

#include "support/CellText.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

QByteArray cp1251Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += *Cp1251::encode(l) + "\r\n";
    return out;
}

// A small project: N = 2, K = 3, integral form, Funk-Dinger.
QStringList sampleLines()
{
    return {QStringLiteral("Смесь №5"), QStringLiteral("2"),
            QStringLiteral("Песок"), QStringLiteral("Цемент"),
            QStringLiteral("2,65"), QStringLiteral("3.1"),
            QStringLiteral("1"), QStringLiteral("3"),
            QStringLiteral("5"), QStringLiteral("1,25"), QStringLiteral("0,16"),
            QStringLiteral("100"), QStringLiteral("100"),
            QStringLiteral("70"), QString(),
            QStringLiteral("20"), QStringLiteral("10"),
            QStringLiteral("60"), QStringLiteral("40"),
            QStringLiteral("1"),
            QStringLiteral("0,5"), QStringLiteral("0"), QStringLiteral("0,5"), QStringLiteral("0,1"), QStringLiteral("10"),
            QStringLiteral("100"), QStringLiteral("39,11"), QStringLiteral("0")};
}

// The bytes the session would save now.
QByteArray savedBytes(const ProjectSession &s)
{
    QString error;
    const auto bytes = ProjectFile::projectBytes(s.document(), s.numbers(), &error);
    if (!bytes)
        qWarning("%s", qPrintable(error));
    return bytes.value_or(QByteArray("<not saved>"));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Opens a file holding `bytes`, named `name`, as the window opens a project.
bool openBytes(ProjectSession &s, const QByteArray &bytes, const QString &name, QString *error)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    return s.openProject(path, error);
}

// A full project of about 10 KB: N = 10, K = 50, every cell filled.
void fillLargeProject(ProjectSession &s)
{
    s.setProjectName(QStringLiteral("Большой состав"));
    s.setComponentCount(10);
    s.setClassCountText(QStringLiteral("50"));
    for (int i = 1; i <= 10; ++i) {
        s.setCellText(InputTable::Names, 1, i - 1, QStringLiteral("Компонент %1").arg(i));
        s.setCellText(InputTable::Densities, 1, i - 1, QStringLiteral("2,65"));
        s.setCellText(InputTable::BaseRecipe, 1, i - 1, QStringLiteral("10"));
    }
    for (int j = 1; j <= 50; ++j) {
        s.setCellText(InputTable::Compositions, j, 0, Num::formatDouble(1000.0 / j));
        for (int i = 1; i <= 10; ++i)
            s.setCellText(InputTable::Compositions, j, i, Num::formatDouble(100.0 - j * 1.5 - i / 3.0));
    }
}

// The files of a folder other than those named (a temporary file left behind shows here).
QStringList strayFiles(const QString &folder, const QStringList &expected)
{
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &e : expected)
        found.removeAll(e);
    return found;
}

// Fills a file system up: writes to `path` until the disk refuses.
bool fillDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

} // namespace

class TestProjectFile final : public QObject
{
    Q_OBJECT

private slots:
    void lineCount_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::newRow("N=1 K=2") << 1 << 2;
        QTest::newRow("N=3 K=7") << 3 << 7;
        QTest::newRow("N=10 K=50") << 10 << 50;
    }
    void lineCount()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        ProjectSession s;
        s.setComponentCount(n);
        s.setClassCountText(QString::number(k));
        QString error;
        const auto bytes = ProjectFile::projectBytes(s.document(), s.numbers(), &error);
        QVERIFY2(bytes, qPrintable(error));
        QCOMPARE(int(bytes->count("\r\n")), 10 + 3 * n + 2 * k + k * n);
        QVERIFY(bytes->endsWith("\r\n"));
    }

    void roundTrip()
    {
        QTemporaryDir dir;
        const QByteArray original = cp1251Lines(sampleLines());
        ProjectSession a;
        QString error;
        QVERIFY2(openBytes(a, original, QStringLiteral("sample"), &error), qPrintable(error));
        QCOMPARE(a.document().name, QStringLiteral("Смесь №5"));
        QCOMPARE(txt(a, InputTable::Densities, 1, 1), QStringLiteral("3.1"));
        QCOMPARE(txt(a, InputTable::Compositions, 2, 2), QString());
        // Opening starts the correction from the base recipe.
        QCOMPARE(a.numbers().correctedRecipe[2], 40.0f);
        QCOMPARE(a.correction().slider[1], 6000);
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        QVERIFY2(a.saveProject(path, &error), qPrintable(error));
        QCOMPARE(readAll(path), original);
        ProjectSession b;
        QVERIFY2(b.openProject(path, &error), qPrintable(error));
        QCOMPARE(b.document(), a.document());
        const QString path2 = dir.filePath(QStringLiteral("p2.txt"));
        QVERIFY2(b.saveProject(path2, &error), qPrintable(error));
        QCOMPARE(readAll(path2), original);
    }

    void countsAreNormalised()
    {
        QStringList lines = sampleLines();
        lines[1] = QStringLiteral("2,0");
        lines[7] = QStringLiteral(" 3");
        lines[6] = QStringLiteral("3");  // unknown form: the options stay
        lines[19] = QStringLiteral("0"); // unknown kind: the options stay
        ProjectSession s;
        s.setReferenceKind(ReferenceKind::Bolomey);
        QString error;
        QVERIFY2(openBytes(s, cp1251Lines(lines), QStringLiteral("x"), &error), qPrintable(error));
        QCOMPARE(s.componentCount(), 2);
        QCOMPARE(s.document().classCountText, QStringLiteral("3"));
        QCOMPARE(s.document().dataForm, GrainDataForm::Integral);
        QCOMPARE(s.document().referenceKind, ReferenceKind::Bolomey);
    }

    void manualReferenceRoundTrip()
    {
        QStringList lines = sampleLines();
        lines[19] = QStringLiteral("5");
        lines[25] = QStringLiteral("100");
        lines[26] = QStringLiteral("55");
        lines[27] = QStringLiteral("3");
        ProjectSession s;
        QString error;
        QVERIFY2(openBytes(s, cp1251Lines(lines), QStringLiteral("x"), &error), qPrintable(error));
        QCOMPARE(txt(s, InputTable::Reference, 0, 2), QStringLiteral("1,25"));
        QCOMPARE(txt(s, InputTable::Reference, 1, 2), QStringLiteral("55"));
        QCOMPARE(s.numbers().referenceCurve[2], 55.0f);
        QCOMPARE(savedBytes(s), cp1251Lines(lines));
    }

    // A refused file leaves the project exactly as it was.
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QStringList lines = sampleLines();
        QTest::newRow("ends early") << cp1251Lines(lines.mid(0, 20)) << QStringLiteral("в файле 20 строк");
        lines[1] = QStringLiteral("11");
        QTest::newRow("N above 10") << cp1251Lines(lines) << QStringLiteral("от 1 до 10");
        lines = sampleLines();
        lines[1] = QStringLiteral("0");
        QTest::newRow("N zero") << cp1251Lines(lines) << QStringLiteral("от 1 до 10");
        lines[1] = QStringLiteral("2.5");
        QTest::newRow("N not whole") << cp1251Lines(lines) << QStringLiteral("(строка 2: «2.5») должно быть целым.");
        lines = sampleLines();
        lines[7] = QStringLiteral("1");
        QTest::newRow("K below 2") << cp1251Lines(lines) << QStringLiteral("от 2 до 50");
        lines[7] = QStringLiteral("51");
        QTest::newRow("K above 50") << cp1251Lines(lines) << QStringLiteral("от 2 до 50");
        lines[7] = QStringLiteral("2.5");
        QTest::newRow("K not whole") << cp1251Lines(lines) << QStringLiteral("(строка 8: «2.5») должно быть целым.");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("кончается раньше");
        QTest::newRow("binary") << QByteArray("PK\x03\x04\0\0\0", 7) << QStringLiteral("не текстовый");
        QTest::newRow("undefined byte") << QByteArray("\x98\r\n2\r\n") << QStringLiteral("Windows-1251");
        QTest::newRow("too large") << QByteArray(ProjectFile::MaxFileSize + 1, 'a') << QStringLiteral("1 МБ");
        QTest::newRow("UTF-8 mark, then not UTF-8") << QByteArray("\xEF\xBB\xBF\xC0\xEC\r\n2\r\n") << QStringLiteral("UTF-8");
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "a\0\r\0\n\0", 8) << QStringLiteral("UTF-16");
    }
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        ProjectSession s;
        QString error;
        QVERIFY2(openBytes(s, cp1251Lines(sampleLines()), QStringLiteral("good"), &error), qPrintable(error));
        // A correction in progress, which opening would reset.
        ComponentFloats corrected;
        corrected.set(1, 50.0f);
        corrected.set(2, 50.0f);
        s.setCorrectedRecipe(corrected);
        const ProjectDocument before = s.document();
        const QByteArray beforeBytes = savedBytes(s);
        const float divergence = s.numbers().curveDivergence;
        QVERIFY(!openBytes(s, bytes, QStringLiteral("bad.txt"), &error));
        QVERIFY2(error.contains(QStringLiteral("bad.txt")), qPrintable(error));
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(s.document(), before);
        QCOMPARE(savedBytes(s), beforeBytes);
        QCOMPARE(s.numbers().curveDivergence, divergence);
        QCOMPARE(s.numbers().correctedRecipe[1], 50.0f);
        QCOMPARE(s.correction().slider[1], 5000);
        // The same bytes read directly are refused with the same reason.
        QString direct;
        QVERIFY(!ProjectFile::parseProject(bytes, QStringLiteral("bad.txt"), s.document(), &direct));
        QVERIFY2(direct.contains(QStringLiteral("bad.txt")) && direct.contains(message), qPrintable(direct));
    }

    // A project saved by a text editor: UTF-8 with or without a byte-order mark, and lines
    // ended by LF or CR alone. It opens with its texts intact and saves as Windows-1251 again.
    void otherEncodingsAndLineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QStringList lines = sampleLines();
        const QByteArray crlf = lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + crlf;
        QTest::newRow("UTF-8 without mark") << crlf;
        QTest::newRow("UTF-8, LF") << QByteArray("\xEF\xBB\xBF") + lines.join(u'\n').toUtf8() + "\n";
        QTest::newRow("Windows-1251, LF") << *Cp1251::encode(lines.join(u'\n') + u'\n');
        QTest::newRow("Windows-1251, CR") << *Cp1251::encode(lines.join(u'\r') + u'\r');
        QTest::newRow("UTF-8, CR, no last line end") << lines.join(u'\r').toUtf8();
    }
    void otherEncodingsAndLineEnds()
    {
        QFETCH(QByteArray, bytes);
        ProjectSession s;
        QString error;
        QVERIFY2(openBytes(s, bytes, QStringLiteral("editor.txt"), &error), qPrintable(error));
        QCOMPARE(s.document().name, QStringLiteral("Смесь №5"));
        QCOMPARE(txt(s, InputTable::Names, 1, 1), QStringLiteral("Цемент"));
        QCOMPARE(savedBytes(s), cp1251Lines(sampleLines()));
    }

    // A Windows-1251 file whose bytes are not valid UTF-8 stays Windows-1251, and plain ASCII
    // reads the same either way.
    void encodingDetection()
    {
        using ProjectFile::Encoding;
        QCOMPARE(ProjectFile::detectEncoding(*Cp1251::encode(QStringLiteral("Песок\r\n"))), Encoding::Cp1251);
        QCOMPARE(ProjectFile::detectEncoding(QStringLiteral("Песок\r\n").toUtf8()), Encoding::Utf8);
        QCOMPARE(ProjectFile::detectEncoding("Sand\r\n"), Encoding::Cp1251);
        QCOMPARE(ProjectFile::detectEncoding("\xEF\xBB\xBFSand"), Encoding::Utf8);
    }

    void saveRefusesTextOutsideTheCodePage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        writeBytes(path, "old project");
        ProjectSession s;
        s.setProjectName(QStringLiteral("Смесь 😀"));
        QString error;
        QVERIFY(!s.saveProject(path, &error));
        QVERIFY2(error.contains(QStringLiteral("Смесь 😀")), qPrintable(error));
        QCOMPARE(readAll(path), QByteArray("old project"));
    }

    // Every step of a save is checked: whichever fails, the old file stays byte for byte, no
    // temporary file is left, and the message names the file and the reason in Russian.
    void saveFailures_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("code");
        QTest::addColumn<qint64>("bytesBefore");
        QTest::addColumn<QString>("reason");
        using S = SafeSave::Step;
        QTest::newRow("disk full at once") << int(S::Write) << ENOSPC << qint64(0) << QStringLiteral("недостаточно места");
        QTest::newRow("disk full after 4096 bytes") << int(S::Write) << ENOSPC << qint64(4096) << QStringLiteral("недостаточно места");
        QTest::newRow("quota") << int(S::Write) << EDQUOT << qint64(100) << QStringLiteral("квота");
        QTest::newRow("flush fails") << int(S::Flush) << ENOSPC << qint64(0) << QStringLiteral("недостаточно места");
        QTest::newRow("flush i/o error") << int(S::Flush) << EIO << qint64(0) << QStringLiteral("ввода-вывода");
        QTest::newRow("close fails") << int(S::Close) << EIO << qint64(0) << QStringLiteral("ввода-вывода");
        QTest::newRow("rename refused") << int(S::Rename) << EACCES << qint64(0) << QStringLiteral("нет прав");
        QTest::newRow("folder read-only") << int(S::Create) << EROFS << qint64(0) << QStringLiteral("только для чтения");
        QTest::newRow("unknown code") << int(S::Write) << 200 << qint64(0) << QStringLiteral("системная ошибка № 200");
    }
    void saveFailures()
    {
        QFETCH(int, step);
        QFETCH(int, code);
        QFETCH(qint64, bytesBefore);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Смесь М1.5.txt"));
        const QByteArray old = cp1251Lines(sampleLines());
        writeBytes(path, old);
        ProjectSession s;
        fillLargeProject(s);
        SafeSave::InjectFailure(SafeSave::Step(step), code, bytesBefore);
        QString error;
        const bool saved = s.saveProject(path, &error);
        SafeSave::InjectFailure(SafeSave::Step::None, 0);
        QVERIFY(!saved);
        QCOMPARE(readAll(path), old);
        QCOMPARE(strayFiles(dir.path(), {QStringLiteral("Смесь М1.5.txt")}), QStringList());
        QVERIFY2(error.contains(QStringLiteral("Смесь М1.5.txt")), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY2(!error.contains(QStringLiteral("Unknown")) && !error.contains(QStringLiteral("error")), qPrintable(error));
        // With the fault gone the same save goes through and leaves only the file.
        QVERIFY2(s.saveProject(path, &error), qPrintable(error));
        QCOMPARE(readAll(path), savedBytes(s));
        QCOMPARE(strayFiles(dir.path(), {QStringLiteral("Смесь М1.5.txt")}), QStringList());
    }

    // The same on a real full disk: a small tmpfs mounted for the test (root only).
    void saveOntoFullDisk()
    {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root; the injected failures above cover the save here");
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath(QStringLiteral("disk"));
        QVERIFY(QDir().mkpath(mountPoint));
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here (errno %1); the injected failures cover the save").arg(errno)));
        struct Unmount
        {
            QByteArray at;
            ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
        } unmount{QFile::encodeName(mountPoint)};

        const QString path = QDir(mountPoint).filePath(QStringLiteral("project.txt"));
        const QString filler = QDir(mountPoint).filePath(QStringLiteral("filler"));
        ProjectSession small;
        QString error;
        QVERIFY2(openBytes(small, cp1251Lines(sampleLines()), QStringLiteral("sample"), &error), qPrintable(error));
        QVERIFY2(small.saveProject(path, &error), qPrintable(error));
        const QByteArray old = readAll(path);
        QVERIFY(fillDisk(filler));

        ProjectSession large;
        fillLargeProject(large);
        QVERIFY(savedBytes(large).size() > 8192);
        small.setProjectName(QStringLiteral("Другое название"));
        for (const ProjectSession *s : {&small, &large}) {
            QVERIFY(!s->saveProject(path, &error));
            QCOMPARE(readAll(path), old);
            QCOMPARE(strayFiles(mountPoint, {QStringLiteral("project.txt"), QStringLiteral("filler")}), QStringList());
            QVERIFY2(error.contains(QStringLiteral("project.txt")) && error.contains(QStringLiteral("недостаточно места")),
                     qPrintable(error));
        }
        QVERIFY(QFile::remove(filler));
        QVERIFY2(large.saveProject(path, &error), qPrintable(error));
        QCOMPARE(readAll(path), savedBytes(large));
    }

    void savedFileKeepsItsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        writeBytes(path, "old");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        ProjectSession s;
        QString error;
        QVERIFY2(s.saveProject(path, &error), qPrintable(error));
        QCOMPARE(QFile::permissions(path) & QFileDevice::Permissions(0x7077), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(readAll(path), savedBytes(s));
    }

    // A file the user may not write is not replaced, although its folder would allow it.
    void readOnlyFileIsKept()
    {
        if (::geteuid() == 0)
            QSKIP("root may write any file; the check needs an ordinary user");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        writeBytes(path, "read-only project");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        ProjectSession s;
        QString error;
        QVERIFY(!s.saveProject(path, &error));
        QVERIFY2(error.contains(QStringLiteral("нет прав")), qPrintable(error));
        QCOMPARE(readAll(path), QByteArray("read-only project"));
    }

    void saveFailureNamesTheFile()
    {
        ProjectSession s;
        QString error;
        const QString path = QStringLiteral("/nonexistent-folder/p.txt");
        QVERIFY(!s.saveProject(path, &error));
        QVERIFY2(error.contains(QStringLiteral("p.txt")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
