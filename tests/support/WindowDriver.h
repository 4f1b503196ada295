#pragma once

// The main window for window tests, on a desktop of the test's own (clipboard string, scripted
// answers), with the keys a user presses.

#include "widgets/InputTableView.h"
#include "widgets/MainWindow.h"

#include "FakeDesktop.h"

#include <QTest>

#include <memory>

namespace TestSupport {

struct WindowDriver
{
    FakeDesktop *desktop = new FakeDesktop;
    MainWindow window{std::unique_ptr<Desktop>(desktop)};
    ProjectSession &session = window.session();

    // A window of N components and K size classes, shown.
    explicit WindowDriver(int n = 1, int k = 2)
    {
        session.setComponentCount(n);
        session.setClassCountText(QString::number(k));
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the main window was not exposed");
        window.showChanges();
    }

    // Shows a step as a click on its button does.
    void showStep(int step)
    {
        session.selectStep(step);
        window.showChanges();
    }

    // The view of an input table; the step that holds it is shown first.
    InputTableView *table(InputTable t)
    {
        const int step = t == InputTable::Names || t == InputTable::Densities || t == InputTable::Prices ? 1
            : t == InputTable::Compositions                                   ? 2
            : t == InputTable::BaseRecipe                                     ? 3
                                                                              : 4;
        if (session.currentStep() != step)
            showStep(step);
        auto *view = window.findChild<InputTableView *>(QStringLiteral("table%1").arg(int(t)));
        if (!view)
            qWarning("no view of table %d", int(t));
        return view;
    }

    template <typename T>
    T *child(const QString &name) const
    {
        T *w = window.findChild<T *>(name);
        if (!w)
            qWarning("no widget %s", qPrintable(name));
        return w;
    }
};

// Presses the keys of `keys` one after the other on `widget`, as a keyboard types them: "\b" is
// Backspace, "\x7f" Delete, "\r" Enter; any other character is the key that types it (Latin and
// Cyrillic letters too, which QTest::keyClicks cannot send).
inline void typeKeys(QWidget *widget, const QString &keys)
{
    for (const QChar ch : keys) {
        if (ch == u'\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else if (ch == QChar(0x7f))
            QTest::keyClick(widget, Qt::Key_Delete);
        else if (ch == u'\r')
            QTest::keyClick(widget, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }
}

} // namespace TestSupport
