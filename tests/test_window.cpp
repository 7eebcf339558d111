// The game window as a player meets it, offscreen: its controls, the
// exercises and their diagrams, the answer box and the keys.
#include "app/layout.h"
#include "app/pictures.h"
#include "exercises/diagram.h"
#include "gamefixture.h"
#include "version.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init();
    void cleanup() { m_game.reset(); }

    void controlsFollowTheirLayoutRows();
    void pointers_data();
    void pointers();
    void focusShowsInsideTheButtonsEdges();
    void everyExerciseShowsItsDiagram();
    void answerBoxTakesOnlyDigits_data();
    void answerBoxTakesOnlyDigits();
    void answersAreCheckedAndCounted();
    void keysDriveTheGame();
    void heldEnterNeverAnswersAnUnseenExercise_data();
    void heldEnterNeverAnswersAnUnseenExercise();
    void scaledScreensGetPixelsOfTheirOwn_data();
    void scaledScreensGetPixelsOfTheirOwn();

private:
    QWidget *focused() const { return QApplication::focusWidget(); }
    int expectedAnswer() const;
    void answer(int value);

    std::unique_ptr<GameFixture> m_game;
};

void WindowTest::init()
{
    m_game = std::make_unique<GameFixture>();
    QVERIFY(QTest::qWaitForWindowActive(m_game->start()));
}

// N × n / d, read off the screen.
int WindowTest::expectedAnswer() const
{
    return m_game->caption("lblnum1").toInt() * m_game->caption("lblnum2").toInt()
           / m_game->caption("lbldeno").toInt();
}

void WindowTest::answer(int value)
{
    QTest::keyClicks(focused(), QString::number(value));
    QTest::keyClick(focused(), Qt::Key_Return);
}

void WindowTest::controlsFollowTheirLayoutRows()
{
    m_game->window()->showMaximized(); // an absolute layout: nothing moves
    QCoreApplication::processEvents();
    for (const Layout::Control &row : Layout::controls()) {
        const QWidget *w = m_game->control(QString::fromLatin1(row.name));
        QVERIFY2(w, row.name);
        const QRect laidOut(Layout::px(row.left), Layout::px(row.top), Layout::px(row.width), Layout::px(row.height));
        if (row.kind == Layout::Kind::Line)
            QCOMPARE(w->geometry(), laidOut.translated(0, -laidOut.height() / 2));
        else if (row.flags & Layout::AutoSize)
            QCOMPARE(w->pos(), laidOut.topLeft());
        else
            QCOMPARE(w->geometry(), laidOut);
        if (row.font.family)
            QCOMPARE(w->font().pixelSize(), qRound(row.font.points * 96 / 72));
        QCOMPARE(w->toolTip(), QString::fromUtf8(row.toolTip ? row.toolTip : ""));
        if (row.spokenName)
            QCOMPARE(w->accessibleName(), QString::fromUtf8(row.spokenName));
    }
    QVERIFY(m_game->control<QMenu>("Ciao(1)")->title().startsWith(QStringLiteral("Quotello " QUOTELLO_VERSION ": ")));
    for (const Layout::PieceArray &array : Layout::pieceArrays()) {
        for (int i = 1; i <= array.count; ++i) {
            const QWidget *piece = m_game->control(QStringLiteral("Shape%1(%2)").arg(array.number).arg(i));
            QCOMPARE(piece->x(), Layout::px(array.lefts[i - 1]));
            QCOMPARE(piece->y(), Layout::px(Layout::kPieceTop));
        }
    }
}

void WindowTest::pointers_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Qt::CursorShape>("shape");
    QTest::newRow("the surface's labels show the face") << "Label9" << Qt::BitmapCursor;
    QTest::newRow("so do the pieces") << "Shape8(10)" << Qt::BitmapCursor;
    QTest::newRow("the verdict") << "lblMessage" << Qt::ArrowCursor;
    QTest::newRow("next") << "cmdNext" << Qt::ArrowCursor;
    QTest::newRow("exit") << "cmdExit" << Qt::ArrowCursor;
    QTest::newRow("answer box") << "txtAnswer" << Qt::IBeamCursor;
}

void WindowTest::pointers()
{
    QFETCH(QString, control);
    QFETCH(Qt::CursorShape, shape);
    QCOMPARE(m_game->control(control)->cursor().shape(), shape);
}

void WindowTest::focusShowsInsideTheButtonsEdges()
{
    answer(expectedAnswer()); // "Nuovo calcolo" takes the focus only once the answer is checked
    for (const char *name : {"cmdNext", "cmdExit"}) {
        auto *button = m_game->control(QString::fromLatin1(name));
        m_game->control("txtAnswer")->setFocus();
        const QImage without = button->grab().toImage();
        button->setFocus();
        const QImage with = button->grab().toImage();
        QVERIFY2(with != without, name);
        const QRect inner = button->rect().adjusted(2, 2, -2, -2);
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (!inner.contains(x, y))
                    QVERIFY2(with.pixel(x, y) == without.pixel(x, y), name);
    }
}

void WindowTest::everyExerciseShowsItsDiagram()
{
    for (int round = 0; round < 40; ++round) {
        const int d = m_game->caption("lbldeno").toInt(), n = m_game->caption("lblnum2").toInt();
        QVERIFY(m_game->control<QLineEdit>("txtAnswer")->text().isEmpty());
        QVERIFY(m_game->caption("lblMessage").isEmpty());
        QCOMPARE(focused()->objectName(), QStringLiteral("txtAnswer"));
        QVERIFY(!m_game->control("cmdNext")->isEnabled());

        QString array;
        int shown = 0;
        for (Piece *piece : m_game->window()->findChildren<Piece *>()) {
            if (piece->isVisibleTo(m_game->window())) {
                ++shown;
                array = piece->objectName().section(u'(', 0, 0);
            }
        }
        QCOMPARE(shown, d);
        for (int i = 1; i <= d; ++i) {
            auto *piece = m_game->control<Piece>(QStringLiteral("%1(%2)").arg(array).arg(i));
            QVERIFY(piece->isVisibleTo(m_game->window()));
            QCOMPARE(piece->fillColor(), i <= n ? QColor(128, 255, 128) : QColor(0, 255, 255));
            QVERIFY(piece->borderColor() == Qt::black
                    || piece->borderColor() == QApplication::palette().color(QPalette::WindowText));
        }
        answer(expectedAnswer());
        QTest::keyClick(focused(), Qt::Key_Return);
    }
}

void WindowTest::answerBoxTakesOnlyDigits_data()
{
    QTest::addColumn<QStringList>("actions"); // typed text, or a named key, or "im:" what an input method commits
    QTest::addColumn<QString>("text");
    QTest::newRow("letters and signs") << QStringList{"a1 -.2x,e"} << "12";
    QTest::newRow("four digits at most") << QStringList{"12345"} << "1234";
    QTest::newRow("Backspace") << QStringList{"123", "Backspace"} << "12";
    QTest::newRow("Ctrl+V pastes nothing") << QStringList{"1", "Ctrl+V"} << "1";
    QTest::newRow("Ctrl+Enter checks nothing") << QStringList{"12", "Ctrl+Enter"} << "12";
    QTest::newRow("dead keys and compose") << QStringList{"1", "im:é", "im:à", "im:½"} << "1";
    QTest::newRow("nothing half composed") << QStringList{"im:~"} << "";
    QTest::newRow("digits from an input method") << QStringList{"1", "im:23"} << "123";
}

void WindowTest::answerBoxTakesOnlyDigits()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, text);
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    auto *box = m_game->control<QLineEdit>("txtAnswer");
    for (const QString &action : actions) {
        if (action == QLatin1String("Backspace")) {
            QTest::keyClick(box, Qt::Key_Backspace);
        } else if (action.startsWith(QLatin1String("Ctrl+"))) {
            QTest::keyClick(box, action.endsWith(u'V') ? Qt::Key_V : Qt::Key_Return, Qt::ControlModifier);
        } else if (action == QLatin1String("im:~")) {
            QInputMethodEvent composing(QStringLiteral("~"), {});
            QApplication::sendEvent(box, &composing);
        } else if (action.startsWith(QLatin1String("im:"))) {
            QInputMethodEvent commit;
            commit.setCommitString(action.mid(3));
            QApplication::sendEvent(box, &commit);
        } else {
            QTest::keyClicks(box, action);
        }
    }
    QCOMPARE(box->text(), text);
    QCOMPARE(m_game->caption("lblScore2"), QStringLiteral("0"));
    QVERIFY(!m_game->control("cmdNext")->isEnabled());
}

void WindowTest::answersAreCheckedAndCounted()
{
    auto *message = m_game->control<QLabel>("lblMessage");
    const int expected = expectedAnswer();
    answer(expected + 1);
    QCOMPARE(message->text(), QStringLiteral("Sbagliato!! %1").arg(expected));
    QCOMPARE(message->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(m_game->caption("lblScore") + m_game->caption("lblScore1") + m_game->caption("lblScore2"), "011");
    QCOMPARE(m_game->control<QLineEdit>("txtAnswer")->text(), QString::number(expected + 1)); // left as typed
    QCOMPARE(focused()->objectName(), QStringLiteral("cmdNext"));

    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClicks(focused(), QStringLiteral("%1").arg(expectedAnswer(), 3, 10, QLatin1Char('0')).right(4));
    QTest::keyClick(focused(), Qt::Key_Enter);
    QCOMPARE(message->text(), QStringLiteral("Esatto, è incredibile!!!"));
    QCOMPARE(message->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(m_game->caption("lblScore") + m_game->caption("lblScore1") + m_game->caption("lblScore2"), "112");

    // An empty box is the answer 0, right when the whole is 0.
    QTest::keyClick(focused(), Qt::Key_Return);
    for (int i = 0; i < 2000 && m_game->caption("lblnum1") != QLatin1String("0"); ++i) {
        QTest::keyClick(focused(), Qt::Key_Return);
        QTest::keyClick(focused(), Qt::Key_Return);
    }
    const int right = m_game->caption("lblScore").toInt();
    QTest::keyClick(focused(), Qt::Key_Return);
    QCOMPARE(m_game->caption("lblScore").toInt(), right + 1);

    // Pasted through the box's menu, anything is read without ending the game.
    const int answers = m_game->caption("lblScore2").toInt();
    for (const QString &pasted : {QStringLiteral("1e99"), QStringLiteral("99999"), QStringLiteral("<b>")}) {
        QTest::keyClick(focused(), Qt::Key_Return);
        QGuiApplication::clipboard()->setText(pasted);
        m_game->control<QLineEdit>("txtAnswer")->paste();
        QTest::keyClick(focused(), Qt::Key_Return);
    }
    QCOMPARE(m_game->caption("lblScore2").toInt(), answers + 3);
    QVERIFY(!m_game->window()->hasEnded());
}

void WindowTest::keysDriveTheGame()
{
    // Alt+N does nothing while the exercise waits for its answer.
    const QString exercise = m_game->caption("lblnum1") + m_game->caption("lblnum2") + m_game->caption("lbldeno");
    QTest::keyClick(m_game->window(), Qt::Key_N, Qt::AltModifier);
    QTest::qWait(300); // an access key clicks with a short animation
    QVERIFY(!m_game->control("cmdNext")->isEnabled());
    QCOMPARE(m_game->caption("lblnum1") + m_game->caption("lblnum2") + m_game->caption("lbldeno"), exercise);

    // Once answered, Enter in the box goes to the button, as do Space and Alt+N.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_N}) {
        answer(expectedAnswer());
        QVERIFY(m_game->control("cmdNext")->isEnabled());
        if (key == Qt::Key_Return)
            m_game->control("txtAnswer")->setFocus();
        QTest::keyClick(key == Qt::Key_N ? m_game->window() : focused(), key,
                        key == Qt::Key_N ? Qt::AltModifier : Qt::NoModifier);
        QTRY_VERIFY(!m_game->control("cmdNext")->isEnabled());
        QVERIFY(m_game->caption("lblMessage").isEmpty());
    }
    QCOMPARE(m_game->caption("lblScore2"), QStringLiteral("3"));

    QTest::keyClick(m_game->window(), Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(m_game->dialogs.seen().last(), QStringLiteral("confirm"));
}

void WindowTest::heldEnterNeverAnswersAnUnseenExercise_data()
{
    QTest::addColumn<bool>("flagged");
    QTest::newRow("repeats flagged as such") << true;
    QTest::newRow("repeats as a release and a fresh press") << false;
}

void WindowTest::heldEnterNeverAnswersAnUnseenExercise()
{
    QFETCH(bool, flagged);
    const auto enter = [this](QEvent::Type type, quint64 time, bool repeat = false) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), repeat);
        event.setTimestamp(time);
        QApplication::sendEvent(focused(), &event);
    };
    QTest::keyClicks(focused(), QString::number(expectedAnswer()));
    enter(QEvent::KeyPress, 1000);
    for (quint64 t = 1500; t < 4500; t += 33) {
        if (!flagged)
            enter(QEvent::KeyRelease, t);
        enter(QEvent::KeyPress, t, flagged);
    }
    enter(QEvent::KeyRelease, 4600);
    QCOMPARE(m_game->caption("lblScore2"), QStringLiteral("1"));
    QVERIFY(m_game->control("cmdNext")->isEnabled()); // its verdict is still on screen

    // Pressed again, Enter works as always.
    enter(QEvent::KeyPress, 5000);
    enter(QEvent::KeyRelease, 5100);
    QVERIFY(!m_game->control("cmdNext")->isEnabled());
    QTest::keyClicks(focused(), QString::number(expectedAnswer()));
    enter(QEvent::KeyPress, 6000);
    QCOMPARE(m_game->caption("lblScore"), QStringLiteral("2"));
}

void WindowTest::scaledScreensGetPixelsOfTheirOwn_data()
{
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.25, 1.5, 2.0})
        QTest::addRow("%g", ratio) << ratio;
}

void WindowTest::scaledScreensGetPixelsOfTheirOwn()
{
    QFETCH(qreal, ratio);
    const QSize pixels = QSize(32, 32) * ratio;
    const auto image = [](const QPixmap &p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); };
    for (const char *name : {"face-smile", "face-neutral", "face-laugh", "noentry", "stopwatch"}) {
        const QIcon icon = Pictures::picture(name);
        const QImage sharp = image(icon.pixmap(QSize(32, 32), ratio));
        const QImage small = image(icon.pixmap(QSize(32, 32), 1));
        QCOMPARE(sharp.size(), pixels);
        QVERIFY2(sharp != small.scaled(pixels)
                     && sharp != small.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), name);
    }
    // The hot spot is on the pointer's tip: X takes it in the pointer's own
    // pixels, the other platforms in points.
    const QCursor cursor = Pictures::faceCursor(ratio);
    const QImage pointer = cursor.pixmap().toImage();
    const qreal unit = QGuiApplication::platformName() == QLatin1String("xcb") ? 1 : ratio;
    const QPoint tip(int(cursor.hotSpot().x() * unit), int(cursor.hotSpot().y() * unit));
    QCOMPARE(pointer.size(), pixels);
    QVERIFY(qAlpha(pointer.pixel(tip)) == 255 && qAlpha(pointer.pixel(tip - QPoint(1, 1))) == 0);
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
