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
            QCOMPARE(focused()->objectName(), QStringLiteral("txtAnswer"));
            QVERIFY(!game->control("cmdNext")->isEnabled());
            QStringList shown;
            for (Piece *piece : game->window()->findChildren<Piece *>())
                if (piece->isVisibleTo(game->window()))
                    shown << piece->objectName();
            QCOMPARE(shown.size(), d);
            for (int i = 1; i <= d; ++i) {
                auto *piece = game->control<Piece>(shown[0].section(u'(', 0, 0) + QStringLiteral("(%1)").arg(i));
                QVERIFY(shown.contains(piece->objectName()));
                QCOMPARE(piece->fillColor(), i <= n ? QColor(128, 255, 128) : QColor(0, 255, 255));
                QVERIFY(piece->borderColor() == Qt::black
                        || piece->borderColor() == QApplication::palette().color(QPalette::WindowText));
            }
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

        // An empty box is the answer 0, right when the whole is 0.
        QTest::keyClick(focused(), Qt::Key_Return);
        for (int i = 0; i < 2000 && game->caption("lblnum1") != "0"; ++i) {
            QTest::keyClick(focused(), Qt::Key_Return);
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        const int right = game->caption("lblScore").toInt();
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(game->caption("lblScore").toInt(), right + 1);

        // Pasted through the box's menu, anything is read without ending the game.
        const int answers = game->caption("lblScore2").toInt();
        for (const char *pasted : {"1e99", "99999", "<b>"}) {
            QTest::keyClick(focused(), Qt::Key_Return);
            QGuiApplication::clipboard()->setText(pasted);
            game->control<QLineEdit>("txtAnswer")->paste();
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        QCOMPARE(game->caption("lblScore2").toInt(), answers + 3);
    }

    void keysDriveTheGame()
    {
        // Alt+N does nothing while the exercise waits for its answer.
        QTest::keyClick(game->window(), Qt::Key_N, Qt::AltModifier);
        QTest::qWait(300); // an access key clicks with a short animation
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
        QTest::keyClick(game->window(), Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(game->dialogs.seen().last(), QStringLiteral("confirm"));
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

    void scaledScreensGetPixelsOfTheirOwn_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.25, 1.5, 2.0})
            QTest::addRow("%g", ratio) << ratio;
    }
    void scaledScreensGetPixelsOfTheirOwn()
    {
        QFETCH(qreal, ratio);
        const QSize pixels = QSize(32, 32) * ratio;
        for (const char *name : {"face-smile", "face-neutral", "face-laugh", "noentry", "stopwatch"}) {
            const QIcon icon = Pictures::picture(name);
            const QImage sharp = icon.pixmap(QSize(32, 32), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
            const QImage small = icon.pixmap(QSize(32, 32), 1).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(sharp.size(), pixels);
            QVERIFY2(sharp != small.scaled(pixels) && sharp != small.scaled(pixels, Qt::IgnoreAspectRatio,
                                                                              Qt::SmoothTransformation), name);
        }
        // The hot spot is the pointer's tip, in the pointer's own pixels on X, in points elsewhere.
        const QCursor cursor = Pictures::faceCursor(ratio);
        const QImage pointer = cursor.pixmap().toImage();
        const qreal unit = QGuiApplication::platformName() == "xcb" ? 1 : ratio;
        const QPoint tip(int(cursor.hotSpot().x() * unit), int(cursor.hotSpot().y() * unit));
        QCOMPARE(pointer.size(), pixels);
        QVERIFY(qAlpha(pointer.pixel(tip)) == 255 && qAlpha(pointer.pixel(tip - QPoint(1, 1))) == 0);
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
