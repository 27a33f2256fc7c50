// A window's drawing buffer made before the window is shown: the kernel
// supplies its pages at once, and the window draws as any other, once.
#include "platform/Window_buffer.h"

#include <QBackingStore>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <sys/mman.h>
#include <sys/resource.h>

namespace {

long Page_faults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// A gray window of one label, which counts its drawings.
class Counted_label : public QLabel {
public:
    explicit Counted_label(QSize size) : QLabel(QStringLiteral("MARDOVI VEXO"))
    {
        setAutoFillBackground(true);
        setPalette(QPalette(QColor(128, 128, 128)));
        resize(size);
    }
    int drawings = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++drawings;
        QLabel::paintEvent(event);
    }
};

} // namespace

class tst_Window_buffer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pages_come_before_the_first_drawing()
    {
        alignas(4096) char probe[4096];
        if (madvise(probe, sizeof probe, MADV_POPULATE_WRITE) != 0)
            QSKIP("this kernel supplies a buffer's pages one by one (before Linux 5.14)");
        Counted_label window(QSize(1000, 1000));
        const long before = Page_faults();
        vexo::platform::Prepare_buffer(&window);
        const long taken = Page_faults() - before, pages = 1000 * 1000 * 4 / 4096;
        QCOMPARE(window.backingStore()->size(), window.size());
        QVERIFY2(taken >= pages * 9 / 10, qPrintable(QStringLiteral("%1 pages of %2").arg(taken).arg(pages)));
        // Its size comes from the screen once shown: a buffer made now would be thrown away.
        QLabel maximised;
        maximised.setWindowState(Qt::WindowMaximized);
        vexo::platform::Prepare_buffer(&maximised);
        QVERIFY(!maximised.backingStore() || maximised.backingStore()->size().isEmpty());
    }

    // A prepared window draws as any other; shown and waited for, each is
    // drawn on screen once, as the splash is: a second drawing would only
    // repeat the first on the start's time.
    void shown_window_is_drawn_once_prepared_or_not()
    {
        Counted_label prepared(QSize(320, 200)), plain(QSize(320, 200));
        vexo::platform::Prepare_buffer(&prepared);
        for (Counted_label* window : {&prepared, &plain}) {
            window->show();
            vexo::platform::Draw_when_on_screen(window);
            QCOMPARE(window->drawings, 1); // drawn before the wait returns
        }
        QCoreApplication::processEvents();
        QCOMPARE(prepared.drawings, 1);
        QCOMPARE(plain.drawings, 1);
        const QImage drawn = prepared.screen()->grabWindow(prepared.winId()).toImage();
        QCOMPARE(drawn.size(), QSize(320, 200));
        QCOMPARE(drawn, plain.screen()->grabWindow(plain.winId()).toImage());
    }
};

QTEST_MAIN(tst_Window_buffer)
#include "tst_Window_buffer.moc"
