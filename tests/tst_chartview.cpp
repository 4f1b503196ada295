// A chart of the window saving its picture from the context menu: the format chosen in the save
// dialog gives the extension, and a failed save leaves the file it would replace as it was.
#include "charts/PictureFile.h"
#include "files/SafeSave.h"
#include "widgets/ChartView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>

namespace {

// A chart of 120 x 80 pixels, blue with a red corner.
struct Chart
{
    ChartView view;
    Chart()
    {
        view.setRenderer([](QImage &image) {
            image.fill(Qt::blue);
            image.setPixelColor(0, 0, Qt::red);
        });
        view.resize(120, 80);
        view.show();
    }
};

QStringList filters()
{
    return PictureFile::DialogFilter().split(QStringLiteral(";;"));
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestChartView final : public QObject
{
    Q_OBJECT

private slots:
    // "Сохранить изображение…" from the context menu: the picture as shown, in the format
    // chosen, under the name chosen with that format's extension (a dot in the name is no
    // extension).
    void savedFromTheContextMenu_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << 0 << QStringLiteral("Смесь М1.5.png") << QByteArray("PNG");
        QTest::newRow("BMP") << 1 << QStringLiteral("Смесь М1.5.bmp") << QByteArray("BMP");
    }
    void savedFromTheContextMenu()
    {
        QFETCH(int, filter);
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        Chart chart;
        QVERIFY(QTest::qWaitForWindowExposed(&chart.view));
        int dialogs = 0;
        chart.view.chooseFile = [&](QString *chosenFilter) {
            ++dialogs;
            *chosenFilter = filters().value(filter);
            return dir.filePath(QStringLiteral("Смесь М1.5"));
        };
        bool menuSeen = false;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            menuSeen = menu->actions().value(0) && menu->actions().value(0)->text() == QStringLiteral("Сохранить изображение…");
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const QPoint at(30, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, chart.view.mapToGlobal(at));
        QApplication::sendEvent(&chart.view, &event);
        QVERIFY(menuSeen);
        QCOMPARE(dialogs, 1);
        QCOMPARE(filesIn(dir.path()), QStringList{file});
        QImage back;
        QVERIFY(back.load(dir.filePath(file), format.constData()));
        QCOMPARE(back.size(), QSize(120, 80));
        QCOMPARE(back.pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(back.pixelColor(60, 40), QColor(Qt::blue));
    }

    // A save that fails leaves the old picture byte for byte and no temporary file, and says
    // why in Russian, naming the file.
    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("graph.png"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old picture");
        }
        Chart chart;
        SafeSave::InjectFailure(SafeSave::Step::Write, ENOSPC, 10);
        QString error;
        const bool saved = chart.view.savePicture(dir.filePath(QStringLiteral("graph")), filters().value(0), &error);
        SafeSave::InjectFailure(SafeSave::Step::None, 0);
        QVERIFY(!saved);
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old picture"));
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("graph.png")});
        QVERIFY2(error.contains(QStringLiteral("graph.png")) && error.contains(QStringLiteral("недостаточно места")), qPrintable(error));
    }
};

QTEST_MAIN(TestChartView)
#include "tst_chartview.moc"
