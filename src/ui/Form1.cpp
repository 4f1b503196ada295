#include "ui/Form1.h"

#include "charts/Diagram.h"
#include "charts/Graph.h"
#include "charts/PictureFile.h"
#include "checking/GridEditing.h"
#include "core/Numbers.h"
#include "core/Recalculate.h"
#include "correction/ManualCorrection.h"
#include "correction/Optimum.h"
#include "files/ProjectFile.h"
#include "ui/Form1Logic.h"
#include "ui/FileDialogs.h"
#include "ui/Form2.h"
#include "report/Report.h"
#include "ui/Form6.h"
#include "ui/GridView.h"
#include "ui/Layout.h"
#include "ui/Pictures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextBrowser>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int TwipsPerPixel = 15;

QRect pixels(int left, int top, int width, int height)
{
    return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel);
}

// The clipboard and the question boxes of the window's desktop.
class WidgetDesktop final : public EditingDesktop
{
public:
    explicit WidgetDesktop(QWidget *owner)
        : m_owner(owner)
    {
    }
    QString clipboardText() const override { return QGuiApplication::clipboard()->text(); }
    void setClipboardText(const QString &text) override { QGuiApplication::clipboard()->setText(text); }
    void clearClipboard() override { QGuiApplication::clipboard()->clear(); }
    bool askYesNo(const QString &title, const QString &text) override
    {
        return QMessageBox::question(m_owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }
    bool ctrlHeld() const override { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; }

private:
    QWidget *m_owner;
};

// A picture control: an image the program draws, made again only when its size or its
// bitmap number changes.
class PictureWidget final : public QWidget
{
public:
    using Painter = std::function<QImage(QSize)>;
    PictureWidget(QWidget *parent, Painter painter)
        : QWidget(parent)
        , m_painter(std::move(painter))
    {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void setPainter(Painter painter)
    {
        m_painter = std::move(painter);
        m_image = QImage();
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_image.size() != size())
            m_image = m_painter ? m_painter(size()) : QImage();
        QPainter g(this);
        g.drawImage(0, 0, m_image);
    }

private:
    Painter m_painter;
    QImage m_image;
};

// A plain coloured rectangle: a red error frame, a line of the rule, a bound marker.
class FrameWidget final : public QWidget
{
public:
    FrameWidget(QWidget *parent, QColor colour, bool filled)
        : QWidget(parent)
        , m_colour(colour)
        , m_filled(filled)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setColour(QColor c)
    {
        if (c != m_colour) {
            m_colour = c;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter g(this);
        if (m_filled) {
            g.fillRect(rect(), m_colour);
        } else {
            g.setPen(QPen(m_colour, 2));
            g.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    QColor m_colour;
    bool m_filled;
};

// A chart: a retained image painted by the charts module, made again only when what it shows
// has changed (or its size). Its context menu saves the picture.
class ChartWidget final : public QWidget
{
public:
    using Render = std::function<void(QImage &)>;
    ChartWidget(QWidget *parent, Render render)
        : QWidget(parent)
        , m_render(std::move(render))
    {
        setContextMenuPolicy(Qt::DefaultContextMenu);
    }
    void markDirty()
    {
        m_dirty = true;
        update();
    }
    const QImage &image()
    {
        refresh();
        return m_image;
    }
    std::function<void(QPointF)> onMouseMove;

protected:
    void paintEvent(QPaintEvent *) override
    {
        refresh();
        QPainter g(this);
        g.drawImage(0, 0, m_image);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (onMouseMove)
            onMouseMove(e->position());
    }
    void contextMenuEvent(QContextMenuEvent *e) override
    {
        QMenu menu(this);
        QAction *save = menu.addAction(QStringLiteral("Сохранить изображение…"));
        if (menu.exec(e->globalPos()) != save)
            return;
        QString filter;
        const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить изображение"), QString(),
                                                            PictureFile::DialogFilter(), &filter);
        if (chosen.isEmpty())
            return;
        QString error;
        if (!PictureFile::Save(image(), PictureFile::FileName(chosen, filter), &error))
            QMessageBox::warning(this, QStringLiteral("Сохранить изображение"), error);
    }

private:
    void refresh()
    {
        if (!m_dirty && m_image.size() == size())
            return;
        if (m_image.size() != size())
            m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_render(m_image);
        m_dirty = false;
    }
    Render m_render;
    QImage m_image;
    bool m_dirty = true;
};

// Mirrors a control's geometry, visibility and enabled state onto a widget.
void mirror(QWidget *w, Control &c)
{
    auto apply = [w, &c] {
        const QRect r = pixels(c.left(), c.top(), c.width(), c.height());
        if (w->geometry() != r)
            w->setGeometry(r);
        if (w->isVisibleTo(w->parentWidget()) != c.isVisible())
            w->setVisible(c.isVisible());
        if (w->isEnabled() != c.isEnabled())
            w->setEnabled(c.isEnabled());
    };
    apply();
    QObject::connect(&c, &Control::stateChanged, w, apply);
}

QLabel *label(QWidget *parent, Control &c, bool wrap = false)
{
    auto *l = new QLabel(c.text(), parent);
    l->setWordWrap(wrap);
    mirror(l, c);
    QObject::connect(&c, &Control::stateChanged, l, [l, &c] {
        if (l->text() != c.text())
            l->setText(c.text());
    });
    return l;
}

QLineEdit *lineEdit(QWidget *parent, Control &c, bool readOnly = false)
{
    auto *e = new QLineEdit(c.text(), parent);
    e->setReadOnly(readOnly);
    mirror(e, c);
    QObject::connect(e, &QLineEdit::textEdited, &c, [&c](const QString &t) { c.setText(t); });
    QObject::connect(&c, &Control::stateChanged, e, [e, &c] {
        if (e->text() != c.text())
            e->setText(c.text());
    });
    return e;
}

QComboBox *combo(QWidget *parent, Control &c, bool editable)
{
    auto *box = new QComboBox(parent);
    box->setEditable(editable);
    box->addItems(c.items());
    box->setCurrentIndex(-1);
    if (editable)
        box->setEditText(c.text());
    else
        box->setCurrentText(c.text());
    mirror(box, c);
    if (editable)
        QObject::connect(box, &QComboBox::currentTextChanged, &c, [&c](const QString &t) { c.setText(t); });
    else
        QObject::connect(box, &QComboBox::textActivated, &c, [&c](const QString &t) { c.setText(t); });
    QObject::connect(&c, &Control::stateChanged, box, [box, &c, editable] {
        if (box->currentText() == c.text())
            return;
        const QSignalBlocker block(box);
        if (editable) {
            box->setEditText(c.text());
        } else {
            const int i = box->findText(c.text());
            if (i < 0) {
                // A count outside the list (from a file) is shown as it stands.
                box->setEditable(true);
                box->setEditText(c.text());
                box->setEditable(false);
            }
            box->setCurrentIndex(i);
        }
    });
    return box;
}

QCheckBox *checkBox(QWidget *parent, Control &c)
{
    auto *box = new QCheckBox(c.text(), parent);
    box->setChecked(c.isChecked());
    mirror(box, c);
    QObject::connect(box, &QCheckBox::clicked, &c, [&c](bool on) { c.setChecked(on); });
    QObject::connect(&c, &Control::stateChanged, box, [box, &c] {
        if (box->isChecked() != c.isChecked()) {
            const QSignalBlocker block(box);
            box->setChecked(c.isChecked());
        }
        if (box->text() != c.text())
            box->setText(c.text());
    });
    return box;
}

// A check box whose caption wraps onto a second line, as the classic control's did.
QWidget *wrappedCheckBox(QWidget *parent, Control &c)
{
    auto *holder = new QWidget(parent);
    auto *box = new QCheckBox(holder);
    auto *text = new QLabel(c.text(), holder);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(box, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    box->setChecked(c.isChecked());
    mirror(holder, c);
    QObject::connect(box, &QCheckBox::clicked, &c, [&c](bool on) { c.setChecked(on); });
    struct Toggle final : QObject
    {
        QCheckBox *box;
        Control *control;
        Toggle(QObject *parent, QCheckBox *b, Control *c)
            : QObject(parent)
            , box(b)
            , control(c)
        {
        }
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::MouseButtonRelease && box->isEnabled()) {
                control->setChecked(!control->isChecked());
                return true;
            }
            return false;
        }
    };
    text->installEventFilter(new Toggle(text, box, &c));
    QObject::connect(&c, &Control::stateChanged, holder, [box, text, &c] {
        if (box->isChecked() != c.isChecked()) {
            const QSignalBlocker block(box);
            box->setChecked(c.isChecked());
        }
        text->setEnabled(c.isEnabled());
    });
    return holder;
}

QRadioButton *radio(QWidget *parent, Control &c, QButtonGroup *group, std::function<void()> select)
{
    auto *r = new QRadioButton(c.text(), parent);
    group->addButton(r);
    r->setChecked(c.isChecked());
    mirror(r, c);
    QObject::connect(r, &QRadioButton::clicked, &c, [select = std::move(select)] { select(); });
    QObject::connect(&c, &Control::stateChanged, r, [r, &c] {
        if (r->isChecked() != c.isChecked() && c.isChecked()) {
            const QSignalBlocker block(r);
            r->setChecked(true);
        }
    });
    return r;
}

QPushButton *button(QWidget *parent, Control &c)
{
    auto *b = new QPushButton(c.text(), parent);
    mirror(b, c);
    QObject::connect(b, &QPushButton::clicked, &c, [&c] { c.raiseClick(); });
    return b;
}

PictureWidget *picture(QWidget *parent, Control &c, PictureWidget::Painter painter)
{
    auto *w = new PictureWidget(parent, std::move(painter));
    mirror(w, c);
    return w;
}

// A picture showing the bitmap whose number the control holds.
PictureWidget *resourcePicture(QWidget *parent, Control &c)
{
    auto *w = picture(parent, c, [&c](QSize s) { return ResourcePicture(c.picture(), s); });
    int shown = c.picture();
    QObject::connect(&c, &Control::stateChanged, w, [w, &c, shown]() mutable {
        if (c.picture() != shown) {
            shown = c.picture();
            w->setPainter([&c](QSize s) { return ResourcePicture(c.picture(), s); });
        }
    });
    return w;
}

FrameWidget *frame(QWidget *parent, Control &c, QColor colour, bool filled = false)
{
    auto *f = new FrameWidget(parent, colour, filled);
    mirror(f, c);
    return f;
}

QToolButton *iconButton(QWidget *parent, Control &c, const QIcon &icon)
{
    auto *b = new QToolButton(parent);
    b->setIcon(icon);
    b->setIconSize(QSize(22, 22));
    b->setToolTip(c.text());
    b->setAutoRaise(false);
    mirror(b, c);
    QObject::connect(b, &QToolButton::clicked, &c, [&c] { c.raiseClick(); });
    return b;
}

// Small drawn icons of the copy, paste and clear buttons.
QIcon drawnIcon(int kind)
{
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter g(&image);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(60, 60, 60), 1.4));
    switch (kind) {
    case 0: // copy: two sheets
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(3, 3, 12, 14));
        g.setBrush(QColor(220, 235, 255));
        g.drawRect(QRectF(9, 7, 12, 14));
        break;
    case 1: // paste: a clipboard with a sheet
        g.setBrush(QColor(210, 170, 110));
        g.drawRoundedRect(QRectF(4, 4, 14, 17), 2, 2);
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(9, 9, 11, 12));
        g.setBrush(QColor(120, 120, 120));
        g.drawRect(QRectF(8, 2, 6, 4));
        break;
    default: // clear: a red cross over a sheet
        g.setBrush(QColor(255, 255, 255));
        g.drawRect(QRectF(4, 3, 14, 18));
        g.setPen(QPen(QColor(200, 30, 30), 2.6));
        g.drawLine(QPointF(8, 8), QPointF(20, 20));
        g.drawLine(QPointF(20, 8), QPointF(8, 20));
        break;
    }
    return QIcon(QPixmap::fromImage(image));
}

const char *const GuideHtml = R"(<h2>Palvex 5.0 — краткое руководство пользователя</h2>
<p>Программа подбирает зерновой состав минеральной части сырьевой смеси так, чтобы он был как можно ближе
к эталонному. Работа идет по шагам; шаги выбираются кнопками в верхней части окна.</p>
<ol>
<li><b>Параметры сырьевой смеси.</b> Введите название состава, выберите количество компонентов (от 1 до 10),
заполните их названия и истинную плотность зерен (г/см<sup>3</sup>). Целая часть отделяется запятой.</li>
<li><b>Зерновые составы.</b> Выберите форму данных: интегральную (полный проход A, %) или дифференциальную
(частный остаток Q, %). Задайте количество типоразмеров частиц кнопками «+» и «-» и заполните таблицу:
размеры Dj сверху вниз по убыванию, в одной размерности для всех компонентов. Таблицу можно вставить из
электронной таблицы (Ctrl+V или кнопка вставки) и скопировать (Ctrl+C). Ошибки заполнения показываются
красной рамкой; их список открывает флажок «Посмотреть сообщение об ошибках».</li>
<li><b>Исходный состав.</b> Введите массовые доли компонентов, %; их сумма должна быть равна 100.
Диаграмма показывает исходный состав.</li>
<li><b>Эталонный состав.</b> Выберите уравнение (Функа-Дингера, Фуллера, Гуммеля, Боломея) и его
коэффициенты или введите эталонный зерновой состав вручную (по убыванию A'j слева направо).</li>
<li><b>Корректировка состава.</b> Двигайте ползунки массовых долей; остальные доли меняются так, чтобы сумма
оставалась 100 %. Замок фиксирует долю компонента. Кнопка «Исходный состав» возвращает исходные доли.
Автоматический подбор ищет состав с меньшим расхождением кривых, при желании в заданных границах.
Гранулометрический график показывает эталонную, исходную и проектируемую кривые и расхождение кривых —
наибольшее отклонение проектируемой кривой от эталонной, в процентных пунктах.</li>
<li><b>Формирование итогового отчета.</b> Отметьте разделы отчета и сформируйте документ.</li>
</ol>
<p>Проект сохраняется кнопкой «Сохранить проект» в текстовый файл и открывается кнопкой «Открыть проект».</p>)";

} // namespace

Form1::Form1(QWidget *parent, std::unique_ptr<EditingDesktop> desktop)
    : QMainWindow(parent)
    , m_desktop(desktop ? std::move(desktop) : std::make_unique<WidgetDesktop>(this))
{
    setWindowTitle(QStringLiteral("Palvex 5.0 [Версия от 19.04.2019]"));
    setMinimumSize(MinimumWindowWidth, MinimumWindowHeight);

    ConnectWindowHandlers(m_project);
    GridEditing::Connect(m_project, *m_desktop);
    buildUi();
    connectActions();

    QClipboard *clipboard = QGuiApplication::clipboard();
    auto clipboardChanged = [this, clipboard] {
        const QMimeData *data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText() && !data->text().isEmpty();
    };
    connect(clipboard, &QClipboard::dataChanged, this, clipboardChanged);
    clipboardChanged();

    resize(DesignWidth / TwipsPerPixel, DesignHeight / TwipsPerPixel);
    m_project.startUp();

    // Timer1 and Timer2 both tick every millisecond on this thread; one platform timer drives
    // both, in their order, so that the window wakes once per millisecond and not twice.
    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(1);
    connect(m_timer, &QTimer::timeout, this, &Form1::tick);
    m_timer->start();
}

Form1::~Form1()
{
    // The widgets mirror the project: they go first, while it still exists.
    m_timer->stop();
    delete m_database;
    delete m_bounds;
    delete takeCentralWidget();
}

void Form1::tick()
{
    const double clock = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    Timer1Tick(m_project, m_clipboardHasText, m_random, clock);
    Timer2Tick(m_project);
}

QString Form1::buildReport(bool open)
{
    // The window is hidden while the report is written, so the project cannot change meanwhile.
    hide();
    const QString path = QDir(QDir::tempPath()).filePath(ReportFileName(m_project));
    QString error;
    const bool written = WriteReport(m_project, path, &error);
    show();
    if (!written) {
        QMessageBox::warning(this, QStringLiteral("Формирование отчета"), error);
        return QString();
    }
    if (open && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        QMessageBox::information(this, QStringLiteral("Формирование отчета"),
                                 QStringLiteral("Отчет сохранен, но открыть его не удалось: нет программы для документов .docx.\n"
                                                "Файл отчета: %1").arg(QDir::toNativeSeparators(path)));
    return path;
}

void Form1::showDatabase()
{
    // Closing the window with its close box discards it; the next opening creates it afresh.
    if (!m_database) {
        m_database = new Form2(m_project, this);
        m_database->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_database->show();
    m_database->raise();
}

void Form1::showBounds()
{
    if (!m_bounds)
        m_bounds = new Form6(m_project, this);
    m_bounds->open();
}

void Form1::buildUi()
{
    MixProject &p = m_project;
    m_surface = new QWidget(this);
    m_surface->setMouseTracking(true);
    m_surface->installEventFilter(this);
    setCentralWidget(m_surface);
    QPalette pal = m_surface->palette();
    pal.setColor(QPalette::Window, QColor(236, 233, 216));
    m_surface->setPalette(pal);
    m_surface->setAutoFillBackground(true);

    picture(m_surface, p.Gradient, GradientPicture);
    picture(m_surface, p.logo, LogoPicture);
    for (int i = 1; i <= 7; ++i) {
        QWidget *b = resourcePicture(m_surface, p.But[i]);
        b->setCursor(Qt::PointingHandCursor);
        b->setMouseTracking(true);
        b->setProperty("step", i);
        b->installEventFilter(this);
    }
    for (int i = 1; i <= 8; ++i) {
        auto *line = new FrameWidget(m_surface, Qt::black, true);
        Control &c = p.Line_v[i];
        auto apply = [line, &c] {
            line->setGeometry(pixels(c.left(), c.top(), c.width(), TwipsPerPixel));
            line->setColour(c.value() ? Qt::white : Qt::black);
        };
        apply();
        connect(&c, &Control::stateChanged, line, apply);
    }
    QLabel *head = label(m_surface, p.Head);
    head->setAlignment(Qt::AlignCenter);
    QFont headFont = head->font();
    headFont.setPointSizeF(headFont.pointSizeF() * 1.5);
    headFont.setBold(true);
    head->setFont(headFont);

    for (int i = 1; i <= 7; ++i) {
        auto *panel = new QWidget(m_surface);
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
        mirror(panel, p.Forma[i]);
        m_panels[i] = panel;
    }
    buildStep1(m_panels[1]);
    buildStep2(m_panels[2]);
    buildStep3(m_panels[3]);
    buildStep4(m_panels[4]);
    buildStep5(m_panels[5]);
    buildStep6(m_panels[6]);
    buildStep7(m_panels[7]);

    button(m_surface, p.Command3);
    frame(m_surface, p.Shape5, QColor(120, 120, 120));
    frame(m_surface, p.Shape6, QColor(120, 120, 120));
    button(m_surface, p.ButOpen)->raise();
    button(m_surface, p.ButSave)->raise();

    for (int k = 1; k <= 5; ++k) {
        GridView *v = m_tables[k];
        GridModel &g = p.tabl[k];
        auto apply = [v, &g] {
            const QRect r = pixels(g.left(), g.top(), g.width(), g.height());
            if (v->geometry() != r)
                v->setGeometry(r);
        };
        apply();
        connect(&g, &GridModel::geometryChanged, v, apply);
    }
}

void Form1::buildStep1(QWidget *panel)
{
    MixProject &p = m_project;
    label(panel, p.Label_name);
    lineEdit(panel, p.project_name);
    label(panel, p.Hint_name);
    label(panel, p.Label_N);
    combo(panel, p.N, false);
    label(panel, p.Label_names);
    m_tables[1] = new GridView(p.tabl[1], panel);
    label(panel, p.Hint_names);
    label(panel, p.Label_density);
    m_tables[2] = new GridView(p.tabl[2], panel);
    QLabel *err = label(panel, p.ErrTab1);
    err->setStyleSheet(QStringLiteral("color: #c00000;"));
}

void Form1::buildStep2(QWidget *panel)
{
    MixProject &p = m_project;
    label(panel, p.Label_form);
    auto *forms = new QButtonGroup(panel);
    radio(panel, p.Data_type_1, forms, [&p] { p.selectDataForm(GrainDataForm::Integral); });
    label(panel, p.Label7, true);
    radio(panel, p.Data_type_2, forms, [&p] { p.selectDataForm(GrainDataForm::Differential); });
    label(panel, p.Label8, true);
    label(panel, p.Label_K);
    lineEdit(panel, p.K);
    button(panel, p.Command1);
    button(panel, p.Command2);
    label(panel, p.Label_grain);
    frame(panel, p.ErrBorder, QColor(220, 0, 0));
    checkBox(panel, p.ComErrView);
    iconButton(panel, p.ComCopy, drawnIcon(0));
    iconButton(panel, p.ComPaste, drawnIcon(1));
    iconButton(panel, p.ComDelete, drawnIcon(2));
    m_tables[3] = new GridView(p.tabl[3], panel);
    QLabel *hint = label(panel, p.Label14, true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *pole = new QFrame(panel);
    pole->setFrameShape(QFrame::Box);
    pole->setAutoFillBackground(true);
    QPalette pal = pole->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pole->setPalette(pal);
    mirror(pole, p.PoleError);
    QLabel *head = label(pole, p.PoleErrorHead);
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    label(pole, p.PErr1)->setStyleSheet(QStringLiteral("color: #c00000;"));
    for (int i = 1; i <= MaxComponents; ++i)
        label(pole, p.PErrA[i])->setStyleSheet(QStringLiteral("color: #c00000;"));
}

void Form1::buildStep3(QWidget *panel)
{
    MixProject &p = m_project;
    label(panel, p.Label_recipe);
    frame(panel, p.ErrBorder4, QColor(220, 0, 0));
    m_tables[4] = new GridView(p.tabl[4], panel);
    label(panel, p.ErrTab4)->setStyleSheet(QStringLiteral("color: #c00000;"));
    label(panel, p.Label_sum);
    lineEdit(panel, p.mass0_sum, true);
    label(panel, p.Label_diagram);
    auto *diagram = new ChartWidget(panel, [&p](QImage &image) {
        if (p.BaseRecipeValid)
            DrawMassFractionDiagram(p, p.ComponentCount, image);
        else
            image.fill(Qt::white);
    });
    mirror(diagram, p.Diagramma1);
    connect(&p, &MixProject::chartsChanged, diagram, &ChartWidget::markDirty);
}

void Form1::buildStep4(QWidget *panel)
{
    MixProject &p = m_project;
    label(panel, p.Label_reference);
    auto *kinds = new QButtonGroup(panel);
    for (int k = 1; k <= 5; ++k)
        radio(panel, p.Etalon[k], kinds, [&p, k] { p.selectReference(ReferenceKind(k)); });
    for (int k = 1; k <= 4; ++k)
        picture(panel, p.formula[k], [k](QSize s) { return FormulaPicture(k, s); });
    label(panel, p.Label_koef_n);
    combo(panel, p.koef_n, true);
    label(panel, p.Label_koef_a);
    lineEdit(panel, p.koef_a);
    label(panel, p.Label_koef_n2);
    combo(panel, p.koef_n2, true);
    label(panel, p.Label_koef_m);
    lineEdit(panel, p.koef_m);
    label(panel, p.Label_koef_B);
    combo(panel, p.koef_B, true);
    for (int k = 1; k <= 8; ++k)
        label(panel, p.Label_expl[k]);
    m_tables[5] = new GridView(p.tabl[5], panel);
    label(panel, p.ErrTab5, true)->setStyleSheet(QStringLiteral("color: #c00000;"));
    label(panel, p.Label_note, true);
}

void Form1::buildStep5(QWidget *panel)
{
    MixProject &p = m_project;
    label(panel, p.Label_manualCorrection);
    for (int i = 1; i <= MaxComponents; ++i) {
        QLabel *name = label(panel, p.k_name[i]);
        connect(&p.k_name[i], &Control::stateChanged, name, [name, &p, i] { name->setToolTip(p.k_name[i].text()); });
        auto *slider = new QSlider(Qt::Horizontal, panel);
        SliderModel &s = p.SBegunok[i];
        auto apply = [slider, &s] {
            slider->setGeometry(pixels(SliderLeft, s.top(), SliderWidth, 360));
            if (slider->minimum() != s.min() || slider->maximum() != s.max())
                slider->setRange(s.min(), s.max());
            slider->setPageStep(s.largeChange());
            slider->setSingleStep(s.smallChange());
            if (slider->value() != s.value()) {
                const QSignalBlocker block(slider);
                slider->setValue(s.value());
            }
            slider->setVisible(s.isVisible());
            slider->setEnabled(s.isEnabled());
        };
        apply();
        connect(&s, &SliderModel::stateChanged, slider, apply);
        connect(slider, &QSlider::sliderMoved, &s, [&s](int v) { s.userScroll(v); });
        connect(slider, &QSlider::valueChanged, &s, [&s](int v) { s.setValue(v); });
        // The scale's caption is spaced with blanks: a fixed-pitch font puts 0 and 100 under the
        // ends of the track.
        QLabel *scale = label(panel, p.Pol_label[i]);
        QFont small(QStringLiteral("Liberation Mono"));
        small.setStyleHint(QFont::Monospace);
        small.setPixelSize(10);
        scale->setFont(small);
        button(panel, p.MMinus[i]);
        button(panel, p.MPlus[i]);
        checkBox(panel, p.MLock[i]);
        resourcePicture(panel, p.lock_pic[i]);
        label(panel, p.M_lab[i]);
        label(panel, p.M_lab_rn[i])->setStyleSheet(QStringLiteral("color: #606060;"));
        frame(panel, p.MarkerBMin[i], QColor(0, 0, 200), true);
        frame(panel, p.MarkerBMax[i], QColor(200, 0, 0), true);
    }
    button(panel, p.IshReset);
    label(panel, p.Label60);
    lineEdit(panel, p.summa, true);
    checkBox(panel, p.AutoCheck);
    wrappedCheckBox(panel, p.BoundsCheck);
    button(panel, p.CommandBounds);
    button(panel, p.CommandOptimum);
    label(panel, p.LabelOptimum)->setStyleSheet(QStringLiteral("color: #006000;"));
    label(panel, p.Label_graph);
    auto *graph = new ChartWidget(panel, [&p](QImage &image) { DrawGranulometricGraph(p, image); });
    graph->setMouseTracking(true);
    graph->setCursor(Qt::CrossCursor);
    graph->onMouseMove = [&p](QPointF pos) { GraphMouseMove(p, float(pos.x() * TwipsPerPixel), float(pos.y() * TwipsPerPixel)); };
    mirror(graph, p.Graph);
    connect(&p, &MixProject::chartsChanged, graph, &ChartWidget::markDirty);
    frame(graph, p.GrVL, QColor(64, 64, 64), true);
    frame(graph, p.GrGL, QColor(64, 64, 64), true);
    QLineEdit *divergence = lineEdit(graph, p.Pogreshnost, true);
    divergence->setFrame(false);
    divergence->setAlignment(Qt::AlignCenter);
    QLabel *koords = label(graph, p.Koords);
    koords->setAlignment(Qt::AlignCenter);
    koords->setAttribute(Qt::WA_TransparentForMouseEvents);
    checkBox(panel, p.Log_check);
    checkBox(panel, p.Setka_check);
    picture(panel, p.Legenda, [](QSize s) {
        QImage image(s.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter g(&image);
        const QString names[4] = {QStringLiteral("Эталонный состав"), QStringLiteral("Исходный состав"),
                                  QStringLiteral("Проектируемый состав"), QStringLiteral("Расхождение кривых")};
        const QColor colours[4] = {QColor(0, 0, 255), QColor(255, 192, 128), QColor(255, 0, 0), QColor(128, 128, 128)};
        const int rowH = s.height() / 4;
        for (int k = 0; k < 4; ++k) {
            const int y = k * rowH;
            g.setPen(QPen(colours[k], 3));
            g.drawLine(4, y + rowH / 2, 30, y + rowH / 2);
            g.setPen(Qt::black);
            g.drawText(QRect(36, y, s.width() - 36, rowH), Qt::AlignVCenter | Qt::AlignLeft, names[k]);
        }
        return image;
    });
}

void Form1::buildStep6(QWidget *panel)
{
    MixProject &p = m_project;
    QLabel *head = label(panel, p.Label_report);
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    for (int i = 1; i <= 11; ++i)
        checkBox(panel, p.Otch_el[i]);
    button(panel, p.ButOtchet);
}

void Form1::buildStep7(QWidget *panel)
{
    MixProject &p = m_project;
    QLabel *title = label(panel, p.Label_info[1]);
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    label(panel, p.Label_info[2]);
    for (int i : {3, 4, 5, 11})
        label(panel, p.Label_info[i]);
    QLabel *link = label(panel, p.Label_info[12]);
    link->setStyleSheet(QStringLiteral("color: #0000c0; text-decoration: underline;"));
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
    link->setProperty("guide", true);
}

void Form1::connectActions()
{
    MixProject &p = m_project;
    connect(&p.Command1, &Control::clicked, this, [&p] { IncreaseK(p); });
    connect(&p.Command2, &Control::clicked, this, [&p] { DecreaseK(p); });
    connect(&p.ComCopy, &Control::clicked, this, [this, &p] { GridEditing::CopyGrid(p, *m_desktop, p.tabl[3]); });
    connect(&p.ComPaste, &Control::clicked, this, [this, &p] { GridEditing::PasteGrid(p, *m_desktop, p.tabl[3]); });
    connect(&p.ComDelete, &Control::clicked, this, [this, &p] { GridEditing::ClearGrainTable(p, *m_desktop); });
    connect(&p.CommandBounds, &Control::clicked, this, &Form1::showBounds);
    connect(&p.Command3, &Control::clicked, this, &Form1::showDatabase);
    connect(&p.ButOtchet, &Control::clicked, this, [this] { buildReport(); });
    connect(&p.CommandOptimum, &Control::clicked, this, [this] {
        const OptimumResult r = SolveOptimum(m_project);
        if (r.feasible)
            AdoptOptimum(m_project, r);
        else
            QMessageBox::information(this, QStringLiteral("Оптимальный состав"),
                                     QStringLiteral("Состав, удовлетворяющий закреплениям и границам, не существует: ") + r.problem);
    });
    connect(&p.ButOpen, &Control::clicked, this, &Form1::onOpen);
    connect(&p.ButSave, &Control::clicked, this, &Form1::onSave);
}

bool Form1::ask(const QString &title, const QString &text)
{
    return m_desktop->askYesNo(title, text);
}

void Form1::onOpen()
{
    if (const auto q = OpenQuestion(m_project); q && !ask(q->title, q->text))
        return;
    ShowOpenDialog(this, m_openPath, QStringLiteral("*.txt"), QStringLiteral("Текстовые файлы с данными (*.txt)"),
                   QStringLiteral("Открытие файла"));
    openProject(m_openPath);
    m_project.ComErrView.setChecked(false);
}

void Form1::onSave()
{
    ShowSaveDialog(this, m_savePath, QStringLiteral("*.txt"), QStringLiteral("Текстовые файлы с данными (*.txt)"),
                   QStringLiteral("Сохранение файла"));
    saveProject(m_savePath);
    m_project.ComErrView.setChecked(false);
}

bool Form1::saveProject(const QString &path)
{
    if (path.isEmpty())
        return false;
    QString error;
    if (!ProjectFile::SaveProject(m_project, path, &error)) {
        QMessageBox::warning(this, QStringLiteral("Сохранение файла"), error);
        return false;
    }
    return true;
}

bool Form1::openProject(const QString &path)
{
    if (path.isEmpty()) {
        // A cancelled dialog reads nothing, but the recipe, sliders and locks go back to the
        // base recipe all the same.
        ProjectFile::LoadClosingSteps(m_project);
    } else {
        QString error;
        if (!ProjectFile::LoadProject(m_project, path, &error)) {
            QMessageBox::warning(this, QStringLiteral("Открытие файла"), error);
            return false;
        }
    }
    SelectStep(m_project, 1);
    return !path.isEmpty();
}

void Form1::showGuide()
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Руководство пользователя"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QTextBrowser(&dialog);
    text->setHtml(QString::fromUtf8(GuideHtml));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 520);
    dialog.exec();
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_surface)
        LayoutWindow(m_project, m_surface->width() * TwipsPerPixel, m_surface->height() * TwipsPerPixel);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (const auto q = CloseQuestion(m_project); q && !ask(q->title, q->text)) {
        event->ignore();
        return;
    }
    event->accept();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const QVariant step = watched->property("step");
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (step.isValid()) {
            SelectStep(m_project, step.toInt());
            return true;
        }
        if (watched->property("guide").isValid()) {
            showGuide();
            return true;
        }
        break;
    case QEvent::MouseMove:
    case QEvent::Enter:
        if (step.isValid()) {
            HoverStep(m_project, step.toInt());
        } else if (watched == m_surface) {
            HoverStep(m_project, 0);
        } else {
            for (int i = 1; i <= 7; ++i) {
                if (watched == m_panels[i]) {
                    HoverStep(m_project, 0);
                    m_project.GrVL.setVisible(false);
                    m_project.GrGL.setVisible(false);
                    m_project.Koords.setVisible(false);
                }
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
