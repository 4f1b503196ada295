// The texts that Qt itself puts on the screen speak Russian: the buttons of the question boxes,
// the file dialog, the context menu of a text field, the guide's "Закрыть". Runs offscreen and,
// as tst_russian_texts_x11, on a real X server (Xvfb).

#include "widgets/MainWindow.h"
#include "startup/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

// Latin words of two letters or more, leaving aside file patterns "(*.txt)", the shortcut after
// a tab ("Ctrl+Z") and the program's name.
QStringList latinWords(QString text)
{
    text = text.section(u'\t', 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(\\*[^)]*\\)")));
    text.remove(QStringLiteral("Palvex"));
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>"))); // markup
    QStringList words;
    auto it = QRegularExpression(QStringLiteral("[A-Za-z]{2,}")).globalMatch(text);
    while (it.hasNext())
        words << it.next().captured();
    return words;
}

// Every text a dialog shows: captions, labels, buttons and their tool tips, list entries and
// column headings. The folder combo box shows paths and is left out.
QStringList shownTexts(QWidget *top)
{
    QStringList texts{top->windowTitle()};
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(top))
            continue;
        texts << w->toolTip();
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        else if (auto *c = qobject_cast<QComboBox *>(w); c && c->objectName() != QStringLiteral("lookInCombo"))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            texts << e->placeholderText();
        else if (auto *h = qobject_cast<QHeaderView *>(w); h && h->model())
            for (int s = 0; s < h->count(); ++s)
                texts << h->model()->headerData(s, h->orientation()).toString();
    }
    return texts;
}

QString withoutAccelerator(QString text)
{
    return text.remove(u'&');
}

// Runs `look` on the next modal window or popup menu once it is shown (the call that opens it
// does not return until it is closed); `look` must close it.
void whenShown(std::function<bool(QWidget *)> look)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, look] {
        QWidget *w = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if ((w && w->isVisible() && look(w)) || ++*tries > 250) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

QAbstractButton *buttonNamed(QWidget *top, const QString &text)
{
    for (QAbstractButton *b : top->findChildren<QAbstractButton *>())
        if (b->isVisibleTo(top) && withoutAccelerator(b->text()) == text)
            return b;
    return nullptr;
}

} // namespace

class TestRussianTexts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(installUiLanguage(*qApp, UiLanguage::Russian)); }

    void standardButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringLiteral("Да");
        QTest::newRow("No") << int(QMessageBox::No) << QStringLiteral("Нет");
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << QStringLiteral("Отмена");
        QTest::newRow("Close") << int(QMessageBox::Close) << QStringLiteral("Закрыть");
        QTest::newRow("OK") << int(QMessageBox::Ok) << QStringLiteral("ОК");
        QTest::newRow("Open") << int(QMessageBox::Open) << QStringLiteral("Открыть");
        QTest::newRow("Save") << int(QMessageBox::Save) << QStringLiteral("Сохранить");
    }
    void standardButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Вопрос"), QStringLiteral("Текст"), QMessageBox::StandardButton(button));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(withoutAccelerator(box.button(QMessageBox::StandardButton(button))->text()), text);
    }

    // Closing the window with a project asks "Подтверждение выхода" with the buttons Да and
    // Нет; Нет keeps the window.
    void exitQuestion()
    {
        MainWindow w; // the system's own message boxes
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.openProject(QStringLiteral(PALVEX_SOURCE_DIR "/examples/dry-mix.txt")));
        QStringList seen;
        whenShown([&seen](QWidget *box) {
            auto *question = qobject_cast<QMessageBox *>(box);
            if (!question)
                return false;
            seen << question->windowTitle();
            for (QAbstractButton *b : question->buttons())
                seen << withoutAccelerator(b->text());
            QTest::mouseClick(question->button(QMessageBox::No), Qt::LeftButton);
            return true;
        });
        w.close();
        QVERIFY(w.isVisible());
        seen.sort();
        QCOMPARE(seen, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Подтверждение выхода")}));
    }

    // "Открыть проект": the question, then the file dialog, all in Russian (buttons, labels,
    // the file type list, the column headings, the tool tips, the kinds, sizes and dates of
    // the files listed).
    void openDialog()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("папка")));
        QFile file(QDir(dir.path()).filePath(QStringLiteral("проект.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(3000, 'x')) == 3000);
        file.close();
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        MainWindow w; // the system's message boxes and file dialogs
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList dialogTexts, foreign;
        bool sawDialog = false;
        whenShown([&](QWidget *top) {
            if (auto *question = qobject_cast<QMessageBox *>(top)) {
                QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
                return false; // the file dialog follows
            }
            auto *dialog = qobject_cast<QFileDialog *>(top);
            if (!dialog)
                return false;
            sawDialog = true;
            dialogTexts = shownTexts(dialog);
            // The entries' kinds, sizes and dates (their names are the user's).
            auto *list = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            if (!list || !list->model())
                return false;
            const QModelIndex root = list->rootIndex();
            if (list->model()->rowCount(root) < 2)
                return false; // still being read
            for (int r = 0; r < list->model()->rowCount(root); ++r)
                for (int c = 1; c < list->model()->columnCount(root); ++c)
                    dialogTexts << list->model()->index(r, c, root).data().toString();
            for (const QString &t : dialogTexts)
                foreign << latinWords(t);
            QAbstractButton *open = buttonNamed(dialog, QStringLiteral("Открыть"));
            QAbstractButton *cancel = buttonNamed(dialog, QStringLiteral("Отмена"));
            if (!open || !cancel)
                foreign << QStringLiteral("(no Открыть / Отмена button)");
            dialog->reject();
            return true;
        });
        QPushButton *openButton = w.findChild<QPushButton *>(QStringLiteral("openButton"));
        QVERIFY(openButton);
        QTest::mouseClick(openButton, Qt::LeftButton);
        QDir::setCurrent(before);
        QVERIFY(sawDialog);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u' ')));
        QVERIFY(dialogTexts.contains(QStringLiteral("Текстовые файлы с данными (*.txt)")));
        QVERIFY(dialogTexts.contains(QStringLiteral("Папка")));
        QVERIFY2(dialogTexts.contains(QStringLiteral("2,9 КБ")), qPrintable(dialogTexts.join(u'|')));
    }

    // The context menu of a text field (the project's name).
    void textFieldMenu()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.session().selectStep(1);
        w.showChanges();
        auto *name = w.findChild<QLineEdit *>(QStringLiteral("projectName"));
        QVERIFY(name);
        QStringList items, foreign;
        whenShown([&](QWidget *top) {
            auto *menu = qobject_cast<QMenu *>(top);
            if (!menu)
                return false;
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                items << withoutAccelerator(a->text()).section(u'\t', 0, 0);
                foreign << latinWords(a->text());
            }
            menu->close();
            return true;
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), name->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(name, &event);
        QTRY_VERIFY(!items.isEmpty()); // the menu pops up without blocking
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u' ')));
        QVERIFY(items.contains(QStringLiteral("Вставить")));
        QVERIFY(items.contains(QStringLiteral("Отменить действие")));
    }

    // The user guide's button.
    void guideCloses()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.session().selectStep(7);
        w.showChanges();
        auto *link = w.findChild<QLabel *>(QStringLiteral("guideLink"));
        QVERIFY(link);
        QString button;
        whenShown([&button](QWidget *top) {
            auto *box = top->findChild<QDialogButtonBox *>();
            if (!box)
                return false;
            button = withoutAccelerator(box->buttons().value(0)->text());
            qobject_cast<QDialog *>(top)->reject();
            return true;
        });
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(button, QStringLiteral("Закрыть"));
    }
};

QTEST_MAIN(TestRussianTexts)
#include "tst_russian_texts.moc"
