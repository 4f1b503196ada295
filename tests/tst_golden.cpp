// Whole results against golden folders (tests/golden, see its README): the calc JSON of the
// command-line tool and the outline of the report, each beside the project it comes from.
#include "report/Report.h"
#include "session/ProjectSession.h"

#include "support/Compare.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

const QString Golden = QStringLiteral(PALVEX_SOURCE_DIR "/tests/golden");

// Numbers of the calc JSON are floats written with 9 digits; the expected ones are worked out
// by hand to a few decimals.
constexpr double Tolerance = 1e-4;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every key of `expected` must be in `actual` with the same value (numbers within the
// tolerance, arrays element by element, objects key by key).
void compareJson(const QJsonValue &actual, const QJsonValue &expected, const QString &where, QStringList &mismatches)
{
    if (expected.isDouble()) {
        if (!actual.isDouble()) {
            mismatches << QStringLiteral("%1: expected a number, got %2").arg(where, QString::fromUtf8(QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact)));
            return;
        }
        const QByteArray a = where.toUtf8();
        if (const auto m = TestSupport::nearMismatch(actual.toDouble(), expected.toDouble(), Tolerance, a.constData(), "expected"))
            mismatches << *m;
    } else if (expected.isArray()) {
        const QJsonArray e = expected.toArray(), a = actual.toArray();
        if (!actual.isArray() || a.size() != e.size()) {
            mismatches << QStringLiteral("%1: expected %2 values, got %3").arg(where).arg(e.size()).arg(a.size());
            return;
        }
        for (qsizetype i = 0; i < e.size(); ++i)
            compareJson(a[i], e[i], QStringLiteral("%1[%2]").arg(where).arg(i), mismatches);
    } else if (expected.isObject()) {
        const QJsonObject e = expected.toObject(), a = actual.toObject();
        for (auto it = e.begin(); it != e.end(); ++it) {
            const QString key = where.isEmpty() ? it.key() : where + u'.' + it.key();
            if (!a.contains(it.key()))
                mismatches << QStringLiteral("%1: missing").arg(key);
            else
                compareJson(a[it.key()], it.value(), key, mismatches);
        }
    } else if (actual != expected) {
        mismatches << QStringLiteral("%1: got %2, expected %3")
                          .arg(where, QString::fromUtf8(QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact)),
                               QString::fromUtf8(QJsonDocument(QJsonArray{expected}).toJson(QJsonDocument::Compact)));
    }
}

// The report's paragraphs and tables, one line each (blank paragraphs left out), then a line
// per table row.
QStringList outline(const Doc::Document &d)
{
    QStringList out;
    for (const Doc::Block &b : d.blocks()) {
        if (const auto *p = std::get_if<Doc::Paragraph>(&b)) {
            const QString text = p->text().trimmed();
            if (!text.isEmpty())
                out << QStringLiteral("P: ") + text;
            continue;
        }
        const auto &t = std::get<Doc::Table>(b);
        out << QStringLiteral("T: %1x%2").arg(t.rows).arg(t.cols);
        for (int r = 1; r <= t.rows; ++r) {
            QStringList cells;
            for (int c = 1; c <= t.cols; ++c)
                cells << (t.cell(r, c).picture ? QStringLiteral("[picture]") : t.cell(r, c).text);
            out << QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |");
        }
    }
    return out;
}

void addCases(const QString &kind)
{
    QTest::addColumn<QString>("folder");
    const QDir dir(Golden + u'/' + kind);
    const QStringList cases = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &c : cases)
        QTest::newRow(qPrintable(c)) << dir.filePath(c);
}

} // namespace

class TestGolden final : public QObject
{
    Q_OBJECT

private slots:
    void calc_data() { addCases(QStringLiteral("calc")); }
    void calc()
    {
        QFETCH(QString, folder);
        QProcess cli;
        cli.start(QStringLiteral(PALVEX_CLI), {QStringLiteral("calc"), folder + QStringLiteral("/project.txt")});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QJsonParseError error;
        const QJsonDocument actual = QJsonDocument::fromJson(cli.readAllStandardOutput(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonDocument expected = QJsonDocument::fromJson(readAll(folder + QStringLiteral("/expected.json")), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY(!expected.object().isEmpty());
        QStringList mismatches;
        compareJson(actual.object(), expected.object(), QString(), mismatches);
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(u'\n')));
    }

    // The project opened as the window opens it (read-outs, validation and the divergence text
    // follow at once), then the report with every section.
    void report_data() { addCases(QStringLiteral("report")); }
    void report()
    {
        QFETCH(QString, folder);
        ProjectSession s;
        QString error;
        QVERIFY2(s.openProject(folder + QStringLiteral("/project.txt"), &error), qPrintable(error));
        QCOMPARE(s.currentStep(), 1);
        QVERIFY(s.validation().tablesValid());
        const Doc::Document d = Report::build(s, Report::renderGraph(s, QSize(400, 300), 1.0),
                                              Report::renderDiagram(s, QSize(400, 300), 1.0));
        const QStringList actual = outline(d);
        const QStringList expected = QString::fromUtf8(readAll(folder + QStringLiteral("/outline.txt"))).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!expected.isEmpty());
        for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
            QCOMPARE(actual[i], expected[i]);
        QCOMPARE(actual.size(), expected.size());
    }
};

QTEST_MAIN(TestGolden)
#include "tst_golden.moc"
