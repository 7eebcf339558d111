// The game window as a player meets it, offscreen: its controls, the
// exercises and their diagrams, the answer box and the keys, the pictures.
#include "app/layout.h"
#include "app/pictures.h"
#include "exercises/diagram.h"
#include "game.h"
#include "version.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>

class WindowTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<Game> game;

    QWidget *focused() const { return QApplication::focusWidget(); }
    void answer(int value)
    {
        QTest::keyClicks(focused(), QString::number(value));
        QTest::keyClick(focused(), Qt::Key_Return);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init()
    {
        game = std::make_unique<Game>();
        QVERIFY(QTest::qWaitForWindowActive(game->start()));
    }
    void cleanup() { game.reset(); }

    void controlsFollowTheirLayoutRows()
    {
        game->window()->showMaximized(); // an absolute layout: nothing moves
        QCoreApplication::processEvents();
        for (const Layout::Control &row : Layout::controls()) {
            const QWidget *w = game->control(row.name);
            const QRect laidOut(Layout::px(row.left), Layout::px(row.top), Layout::px(row.width),
                                Layout::px(row.height));
            if (row.kind == Layout::Kind::Line)
                QCOMPARE(w->geometry(), laidOut.translated(0, -laidOut.height() / 2));
            else
                QCOMPARE(row.flags & Layout::AutoSize ? QRect(w->pos(), laidOut.size()) : w->geometry(), laidOut);
            if (row.font.family)
                QCOMPARE(w->font().pixelSize(), qRound(row.font.points * 96 / 72));
            QCOMPARE(w->toolTip(), QString::fromUtf8(row.toolTip ? row.toolTip : ""));
            if (row.spokenName)
                QCOMPARE(w->accessibleName(), QString::fromUtf8(row.spokenName));
        }
        for (const Layout::PieceArray &array : Layout::pieceArrays())
            for (int i = 1; i <= array.count; ++i)
                QCOMPARE(game->control(QStringLiteral("Shape%1(%2)").arg(array.number).arg(i))->pos(),
                         QPoint(Layout::px(array.lefts[i - 1]), Layout::px(Layout::kPieceTop)));
        QVERIFY(game->control<QMenu>("Ciao(1)")->title().startsWith("Quotello " QUOTELLO_VERSION ": "));
    }

    void pointers_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Qt::CursorShape>("shape");
        QTest::newRow("the surface's labels: the face") << "Label9" << Qt::BitmapCursor;
        QTest::newRow("the pieces: the face") << "Shape8(10)" << Qt::BitmapCursor;
        QTest::newRow("the verdict") << "lblMessage" << Qt::ArrowCursor;
        QTest::newRow("next") << "cmdNext" << Qt::ArrowCursor;
        QTest::newRow("exit") << "cmdExit" << Qt::ArrowCursor;
        QTest::newRow("answer box") << "txtAnswer" << Qt::IBeamCursor;
    }
    void pointers()
    {
        QFETCH(QString, control);
        QFETCH(Qt::CursorShape, shape);
        QCOMPARE(game->control(control)->cursor().shape(), shape);
    }

    void focusShowsInsideTheButtonsEdges()
    {
        answer(game->answer()); // "Nuovo calcolo" takes the focus once the answer is checked
        for (const char *name : {"cmdNext", "cmdExit"}) {
            QWidget *button = game->control(name);
            game->control("txtAnswer")->setFocus();
            const QImage without = button->grab().toImage();
            button->setFocus();
            const QImage with = button->grab().toImage();
            QVERIFY2(with != without, name);
            const QRect inside = button->rect().adjusted(2, 2, -2, -2);
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    QVERIFY2(inside.contains(x, y) || with.pixel(x, y) == without.pixel(x, y), name);
        }
    }

    void everyExerciseShowsItsDiagram()
    {
        for (int round = 0; round < 40; ++round) {
            const int d = game->caption("lbldeno").toInt(), n = game->caption("lblnum2").toInt();
            QVERIFY(game->control<QLineEdit>("txtAnswer")->text().isEmpty() && game->caption("lblMessage").isEmpty());
            QVERIFY(focused()->objectName() == "txtAnswer" && !game->control("cmdNext")->isEnabled());
            QStringList shown; // as "fill border", left to right: the pieces of one array
            for (Piece *piece : game->window()->findChildren<Piece *>())
                if (piece->isVisibleTo(game->window()))
                    shown << piece->fillColor().name() + u' ' + piece->borderColor().name();
            QStringList expected;
            for (int i = 1; i <= d; ++i)
                expected << (i <= n ? "#80ff80 " : "#00ffff ") + shown.value(i - 1).section(u' ', 1);
            QCOMPARE(shown, expected);
            QVERIFY(QStringList({"#000000", QApplication::palette().color(QPalette::WindowText).name()})
                        .contains(shown[0].section(u' ', 1)));
            answer(game->answer());
            QTest::keyClick(focused(), Qt::Key_Return);
        }
    }

    void answerBoxTakesOnlyDigits_data()
    {
        // Typed text, Backspace, a key with Ctrl, or what an input method commits ("im:") or composes ("pre:").
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters and signs") << QStringList{"a1 -.2x,e"} << "12";
        QTest::newRow("four digits at most") << QStringList{"12345"} << "1234";
        QTest::newRow("Backspace") << QStringList{"123", "\b"} << "12";
        QTest::newRow("Ctrl+V pastes nothing") << QStringList{"1", "Ctrl+V"} << "1";
        QTest::newRow("Ctrl+Enter checks nothing") << QStringList{"12", "Ctrl+Enter"} << "12";
        QTest::newRow("dead keys and compose") << QStringList{"1", "im:é", "im:à", "im:½"} << "1";
        QTest::newRow("nothing half composed") << QStringList{"pre:~"} << "";
        QTest::newRow("digits from an input method") << QStringList{"1", "im:23"} << "123";
    }
    void answerBoxTakesOnlyDigits()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, text);
        QGuiApplication::clipboard()->setText("9");
        auto *box = game->control<QLineEdit>("txtAnswer");
        for (const QString &action : actions) {
            if (action.startsWith("Ctrl+")) {
                QTest::keyClick(box, action.endsWith('V') ? Qt::Key_V : Qt::Key_Return, Qt::ControlModifier);
            } else if (action.contains(':')) {
                QInputMethodEvent event(action.startsWith("pre:") ? action.mid(4) : QString(), {});
                event.setCommitString(action.startsWith("im:") ? action.mid(3) : QString());
                QApplication::sendEvent(box, &event);
            } else if (action == "\b") {
                QTest::keyClick(box, Qt::Key_Backspace);
            } else {
                QTest::keyClicks(box, action);
            }
        }
        QCOMPARE(box->text(), text);
        QCOMPARE(game->caption("lblScore2"), QStringLiteral("0"));
    }

    void answersAreCheckedAndCounted()
    {
        auto *message = game->control<QLabel>("lblMessage");
        const int expected = game->answer();
        answer(expected + 1);
        QCOMPARE(message->text(), QStringLiteral("Sbagliato!! %1").arg(expected));
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(game->captions({"lblScore", "lblScore1", "lblScore2"}), "0 1 1");
        QCOMPARE(game->control<QLineEdit>("txtAnswer")->text(), QString::number(expected + 1)); // left as typed
        QCOMPARE(focused()->objectName(), QStringLiteral("cmdNext"));

        QTest::keyClick(focused(), Qt::Key_Return);
        QTest::keyClicks(focused(), QStringLiteral("%1").arg(game->answer(), 3, 10, QChar('0')).right(4));
        QTest::keyClick(focused(), Qt::Key_Enter);
        QCOMPARE(message->text(), QStringLiteral("Esatto, è incredibile!!!"));
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(game->captions({"lblScore", "lblScore1", "lblScore2"}), "1 1 2");

    }

    void keysDriveTheGame()
    {
        QTest::keyClick(game->window(), Qt::Key_N, Qt::AltModifier);
        QTest::qWait(300); // an access key clicks with a short animation: Alt+N waits for the answer
        QVERIFY(!game->control("cmdNext")->isEnabled());
        // Once answered, Enter in the box goes to the button, as do Space and Alt+N.
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_N}) {
            answer(game->answer());
            if (key == Qt::Key_Return)
                game->control("txtAnswer")->setFocus();
            QTest::keyClick(key == Qt::Key_N ? game->window() : focused(), key,
                            key == Qt::Key_N ? Qt::AltModifier : Qt::NoModifier);
            QTRY_VERIFY(!game->control("cmdNext")->isEnabled());
        }
        QCOMPARE(game->captions({"lblScore", "lblScore2"}), "3 3");
    }

    void heldEnterNeverAnswersAnUnseenExercise_data()
    {
        QTest::addColumn<bool>("flagged");
        QTest::newRow("repeats flagged as such") << true;
        QTest::newRow("repeats as a release and a fresh press") << false;
    }
    void heldEnterNeverAnswersAnUnseenExercise()
    {
        QFETCH(bool, flagged);
        const auto enter = [this](QEvent::Type type, quint64 time, bool repeat = false) {
            QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, "\r", repeat);
            event.setTimestamp(time);
            QApplication::sendEvent(focused(), &event);
        };
        QTest::keyClicks(focused(), QString::number(game->answer()));
        enter(QEvent::KeyPress, 1000);
        for (quint64 t = 1500; t < 4500; t += 33) {
            if (!flagged)
                enter(QEvent::KeyRelease, t);
            enter(QEvent::KeyPress, t, flagged);
        }
        enter(QEvent::KeyRelease, 4600);
        QCOMPARE(game->caption("lblScore2"), QStringLiteral("1"));
        QVERIFY(game->control("cmdNext")->isEnabled()); // its verdict is still on screen
        // Pressed again, Enter works as always.
        enter(QEvent::KeyPress, 5000);
        QVERIFY(!game->control("cmdNext")->isEnabled());
        QTest::keyClicks(focused(), QString::number(game->answer()));
        enter(QEvent::KeyPress, 6000);
        QCOMPARE(game->captions({"lblScore", "lblScore2"}), "2 2");
    }

    void scaledScreensGetPixelsOfTheirOwn()
    {
        const auto image = [](const QPixmap &p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); };
        for (const qreal ratio : {1.25, 1.5, 2.0}) {
            const QSize pixels = QSize(32, 32) * ratio;
            for (const char *name : {"face-smile", "face-neutral", "face-laugh", "noentry", "stopwatch"}) {
                const QIcon icon = Pictures::picture(name);
                const QImage sharp = image(icon.pixmap(QSize(32, 32), ratio)), small = image(icon.pixmap(32));
                QVERIFY2(sharp.size() == pixels && sharp != small.scaled(pixels)
                             && sharp != small.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), name);
            }
            // The hot spot is the pointer's tip, in the pointer's own pixels on X, in points elsewhere.
            const QCursor cursor = Pictures::faceCursor(ratio);
            const QImage pointer = cursor.pixmap().toImage();
            const qreal unit = QGuiApplication::platformName() == "xcb" ? 1 : ratio;
            const QPoint tip(int(cursor.hotSpot().x() * unit), int(cursor.hotSpot().y() * unit));
            QCOMPARE(pointer.size(), pixels);
            QVERIFY(qAlpha(pointer.pixel(tip)) == 255 && qAlpha(pointer.pixel(tip - QPoint(1, 1))) == 0);
        }
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
