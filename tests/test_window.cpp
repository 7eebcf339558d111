// The game window as a player meets it: layout, exercises, diagrams and the
// answer box, driven with real key events offscreen.
#include "app/application.h"
#include "app/label.h"
#include "app/tavola.h"
#include "exercises/diagram.h"
#include "exercises/generator.h"
#include "fakedialogs.h"
#include "version.h"

#include <QtTest>
#include <QClipboard>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>

#include <set>

namespace {

struct Expected
{
    const char *name;
    QRect rect; // pixels
    const char *text;
    int pixelSize;
    QColor colour; // invalid: not checked
};

// A sample of the layout, written out by hand from the window's design.
const Expected kSample[] = {
    {"Label9", {8, 32, 161, 41}, "Calcola i ", 24, {}},
    {"lblnum2", {192, 0, 105, 57}, "2", 32, {}},
    {"lbldeno", {192, 64, 105, 57}, "3", 32, {}},
    {"lblnum1", {400, 32, 113, 49}, "9", 32, {}},
    {"Label4", {512, 16, 41, 65}, "=", 64, {}},
    {"Label11(1)", {600, 96, 153, 33}, "Tempo restante", 16, QColor(128, 128, 255)},
    {"lblconto", {632, 128, 105, 33}, "00.00.00", 16, QColor(0, 0, 255)},
    {"lblMessage", {88, 144, 441, 41}, "", 32, {}},
    {"Label7(0)", {56, 256, 33, 41}, "A", 24, {}},
    {"Label7(1)", {536, 256, 25, 33}, "B", 24, {}},
    {"Label8", {632, 392, 137, 49}, "Sfidante", 24, QColor(0, 255, 0)},
    {"lblnome1", {640, 432, 97, 41}, "Label8", 24, QColor(0, 192, 0)},
    {"Label12", {24, 576, 153, 25}, "Il record  è di ", 24, QColor(192, 0, 192)},
};

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsSitWhereTheLayoutPutsThem();
    void textsToolTipsAndMenu();
    void autoSizeLabelsFitTheirCaption();
    void focusAndTabOrder();
    void allDiagramsShowBeforeTheFirstExercise();
    void posingAnExerciseShowsItsDiagram();
    void piecesPaintFillAndBorder();
    void answerBoxTakesOnlyDigits();
    void rightAndWrongAnswersAreCounted();
    void enterPosesTheNextExerciseOnceAnswered();
    void altShortcutsFollowTheButtons();
    void pastedTextNeverEndsTheGame();
    void screenReadersFollowTheGame();
    void qtSpeaksItalianAndTheButtonShowsItsFaces();

private:
    void typeAnswer(const QString &keys);
    std::vector<int> visibleArrays() const;

    FakeDialogs m_dialogs;
    Tavola *m_window = nullptr;
};

void WindowTest::initTestCase()
{
    setUpApplication(*qApp);
}

void WindowTest::init()
{
    m_dialogs = FakeDialogs();
    m_window = new Tavola(m_dialogs);
    m_window->buildWindow();
    m_window->rng() = Rng(20261206);
}

void WindowTest::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void WindowTest::controlsSitWhereTheLayoutPutsThem()
{
    for (const Expected &e : kSample) {
        auto *label = m_window->findChild<Label *>(QString::fromLatin1(e.name));
        QVERIFY2(label, e.name);
        QCOMPARE(label->geometry(), e.rect);
        QCOMPARE(label->caption(), QString::fromUtf8(e.text));
        QCOMPARE(label->font().pixelSize(), e.pixelSize);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        if (e.colour.isValid())
            QCOMPARE(label->palette().color(QPalette::WindowText), e.colour);
    }

    const Controls &c = m_window->controls();
    QCOMPARE(c.txtAnswer->geometry(), QRect(584, 8, 185, 80));
    QCOMPARE(c.txtAnswer->maxLength(), 4);
    QCOMPARE(c.txtAnswer->font().pixelSize(), 64);
    QCOMPARE(c.txtAnswer->palette().color(QPalette::Base), QColor(192, 255, 192));
    QCOMPARE(c.cmdNext->geometry(), QRect(40, 472, 121, 73));
    QCOMPARE(c.cmdExit->geometry(), QRect(472, 480, 129, 65));
    QCOMPARE(c.cmdNext->font().pixelSize(), 11);
    QVERIFY(c.cmdNext->font().bold());
    QCOMPARE(c.lblMessage->font().pixelSize(), 32);
    QVERIFY(c.lblMessage->font().italic());
    QCOMPARE(c.lblScore1->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(c.lblScore->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(QFontInfo(c.lblScore->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(c.lblScore->font().pixelSize(), 48);
    QVERIFY(c.lblconto->frameShape() == QFrame::Box);
    QVERIFY(m_window->findChild<Label *>(QStringLiteral("Label9"))->frameShape() == QFrame::NoFrame);

    // Absolute layout: maximising moves nothing.
    auto *surface = m_window->centralWidget();
    QCOMPARE(surface->palette().color(QPalette::Window), QColor(255, 255, 192));
    m_window->show();
    QCOMPARE(surface->size(), QSize(952, 667));
    m_window->showMaximized();
    QCoreApplication::processEvents();
    QCOMPARE(c.cmdExit->geometry(), QRect(472, 480, 129, 65));
    QCOMPARE(c.pieces[8][10]->geometry(), QRect(472, 256, 45, 33));
}

void WindowTest::textsToolTipsAndMenu()
{
    const Controls &c = m_window->controls();
    QCOMPARE(c.txtAnswer->toolTip(), QStringLiteral("Inserisci il risultato e  premi il tasto  Invio"));
    QCOMPARE(c.lblScore->toolTip(), QStringLiteral("Questo è il tuo punteggio. Forza con il  record"));
    QCOMPARE(c.cmdNext->toolTip(), QStringLiteral("Go"));
    QCOMPARE(c.cmdExit->toolTip(), QStringLiteral("Ti prego resta ancora, forse riuscirai a farmi uscire "));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("Image1"))->toolTip(),
             QStringLiteral("Clicca sotto di me per impostare il Timer"));
    QVERIFY(!m_window->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    QCOMPARE(c.cmdNext->text(), QStringLiteral("&Nuovo calcolo"));
    QCOMPARE(c.cmdExit->text(), QStringLiteral("E&xit"));
    QVERIFY(!c.cmdNext->icon().isNull());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Quotello"));
    QCOMPARE(c.Timer1->interval(), 1000);

    const QList<QAction *> bar = m_window->menuBar()->actions();
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar[0]->objectName(), QStringLiteral("Ciao(1)"));
    QVERIFY(bar[0]->text().startsWith(QStringLiteral("Quotello " QUOTELLO_VERSION ": ")));
    QCOMPARE(bar[0]->menu()->actions().size(), 1);
    QCOMPARE(bar[0]->menu()->actions()[0]->objectName(), QStringLiteral("Tmer(1)"));
    QCOMPARE(bar[1], c.menuNew);
    QCOMPARE(c.menuNew->objectName(), QStringLiteral("new"));
    QCOMPARE(c.menuNew->text(), QStringLiteral("Nuovo gioco"));

    // The credits do nothing.
    const QString before = c.lblnum1->caption();
    bar[0]->menu()->actions()[0]->trigger();
    QCOMPARE(c.lblnum1->caption(), before);
    QVERIFY(m_dialogs.shown.isEmpty());
}

void WindowTest::autoSizeLabelsFitTheirCaption()
{
    const Controls &c = m_window->controls();
    const QPoint corner = c.lblnome->pos();
    const QSize design = c.lblnome->size();
    c.lblnome->setCaption(QStringLiteral("Una campionessa dal nome lunghissimo"));
    QCOMPARE(c.lblnome->pos(), corner);
    QVERIFY(c.lblnome->width() > 3 * design.width());
    c.lblnome->setCaption(QStringLiteral("150\nseconda riga"));
    QVERIFY(c.lblnome->height() > design.height());
    c.lblnome->setCaption(QString());
    QVERIFY(c.lblnome->width() < 10);
    QCOMPARE(c.lblnome->pos(), corner);

    // Without auto-size the box stays as laid out.
    const QRect box = c.lblnome1->geometry();
    c.lblnome1->setCaption(QStringLiteral("Un nome davvero troppo lungo per stare qui"));
    QCOMPARE(c.lblnome1->geometry(), box);
}

void WindowTest::focusAndTabOrder()
{
    const Controls &c = m_window->controls();
    // Before any handler moves it, the focus is on the exit button; the first
    // exercise, posed as the window appears, puts it into the answer box.
    QCOMPARE(m_window->focusWidget(), c.cmdExit);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(QApplication::focusWidget(), c.txtAnswer);

    // Tab visits the controls that take focus in this order.
    QList<QWidget *> tabOrder{c.cmdExit};
    for (QWidget *w = c.cmdExit->nextInFocusChain(); w != c.cmdExit; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder << w;
    }
    QCOMPARE(tabOrder, (QList<QWidget *>{c.cmdExit, c.cmdNext, c.txtAnswer}));
}

std::vector<int> WindowTest::visibleArrays() const
{
    std::vector<int> arrays;
    for (int a = 1; a <= 9; ++a) {
        const auto &pieces = m_window->controls().pieces[a];
        const auto shown = std::count_if(pieces.begin() + 1, pieces.end(),
                                         [](Piece *p) { return p->isVisibleTo(p->parentWidget()); });
        if (shown > 0) {
            if (shown != qsizetype(pieces.size()) - 1)
                return {-1};
            arrays.push_back(a);
        }
    }
    return arrays;
}

void WindowTest::allDiagramsShowBeforeTheFirstExercise()
{
    QCOMPARE(visibleArrays(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const Controls &c = m_window->controls();
    QCOMPARE(c.pieces[9][1]->fillColor(), QColor(255, 255, 255));
    QCOMPARE(c.pieces[9][2]->fillColor(), QColor(0, 0, 0));
    QCOMPARE(c.pieces[1][1]->fillColor(), QColor(128, 128, 255));
    QCOMPARE(c.pieces[1][4]->fillColor(), QColor(0, 255, 255));
    QCOMPARE(c.pieces[1][2]->borderColor(), QColor(0, 0, 255));
    QCOMPARE(c.pieces[2][3]->borderColor(), QColor(0, 192, 0));
    QCOMPARE(c.pieces[6][8]->fillColor(), QColor(255, 255, 128));
    for (int a = 1; a <= 9; ++a) {
        QCOMPARE(c.pieces[a][1]->x(), 96);
        QCOMPARE(c.pieces[a][1]->y(), 256);
    }
}

void WindowTest::posingAnExerciseShowsItsDiagram()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    std::set<int> kindsSeen;
    for (int round = 0; round < 60; ++round) {
        // What the generator will pose, from a copy of its state.
        Rng preview = m_window->rng();
        const Exercise e = poseExercise(preview);

        c.txtAnswer->setText(QStringLiteral("12"));
        m_window->cmdNext_Click();
        const GameState &s = m_window->state();
        QCOMPARE(s.ExerciseKind, e.kind);
        QCOMPARE(s.Denominator, e.denominator);
        QCOMPARE(s.ExpectedAnswer, e.expectedAnswer);
        QCOMPARE(c.lblnum1->caption(), QString::number(e.whole));
        QCOMPARE(c.lblnum2->caption(), QString::number(e.numerator));
        QCOMPARE(c.lbldeno->caption(), QString::number(e.denominator));
        QVERIFY(c.txtAnswer->text().isEmpty());
        QVERIFY(c.lblMessage->caption().isEmpty());
        QVERIFY(!c.cmdNext->isEnabled());
        QCOMPARE(QApplication::focusWidget(), c.txtAnswer);

        const int array = exerciseKindInfo(e.kind).pieceArray;
        QCOMPARE(visibleArrays(), std::vector<int>{array});
        const auto &pieces = c.pieces[array];
        QCOMPARE(int(pieces.size()) - 1, int{e.denominator});
        for (int i = 1; i <= e.denominator; ++i) {
            QCOMPARE(pieces[i]->fillColor(),
                     i <= e.numerator ? QColor(128, 255, 128) : QColor(0, 255, 255));
            const QColor border = pieces[i]->borderColor();
            QVERIFY2(border == QColor(Qt::black)
                         || border == QApplication::palette().color(QPalette::WindowText),
                     qPrintable(border.name()));
        }
        kindsSeen.insert(e.kind);
    }
    QCOMPARE(kindsSeen.size(), std::size_t{9});
}

void WindowTest::piecesPaintFillAndBorder()
{
    Piece piece;
    piece.resize(20, 10);
    piece.setFillColor(QColor(128, 255, 128));
    piece.setBorderColor(QColor(0, 0, 192));
    const QImage image = piece.grab().toImage();
    QCOMPARE(image.pixelColor(10, 5), QColor(128, 255, 128));
    QCOMPARE(image.pixelColor(0, 0), QColor(0, 0, 192));
    QCOMPARE(image.pixelColor(19, 9), QColor(0, 0, 192));
    QCOMPARE(image.pixelColor(1, 1), QColor(128, 255, 128));
}

void WindowTest::typeAnswer(const QString &keys)
{
    QTest::keyClicks(m_window->controls().txtAnswer, keys);
}

void WindowTest::answerBoxTakesOnlyDigits()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->cmdNext_Click();

    typeAnswer(QStringLiteral("a1 -.2x,e"));
    QCOMPARE(c.txtAnswer->text(), QStringLiteral("12"));
    QTest::keyClick(c.txtAnswer, Qt::Key_Backspace);
    QCOMPARE(c.txtAnswer->text(), QStringLiteral("1"));
    typeAnswer(QStringLiteral("23456"));
    QCOMPARE(c.txtAnswer->text(), QStringLiteral("1234"));
    // Keys that type nothing keep their meaning.
    QTest::keyClick(c.txtAnswer, Qt::Key_Home);
    QTest::keyClick(c.txtAnswer, Qt::Key_Delete);
    QCOMPARE(c.txtAnswer->text(), QStringLiteral("234"));
    // Ctrl with a letter is dropped, so the clipboard is not pasted by keys.
    QGuiApplication::clipboard()->setText(QStringLiteral("9"));
    QTest::keyClick(c.txtAnswer, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(c.txtAnswer->text(), QStringLiteral("234"));
    QCOMPARE(m_window->state().RightCount + m_window->state().WrongCount, 0);
}

void WindowTest::rightAndWrongAnswersAreCounted()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->cmdNext_Click();
    const int expected = m_window->state().ExpectedAnswer;

    // Wrong first: one wrong, no right, one in all.
    typeAnswer(QString::number(expected + 1));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(c.lblMessage->caption(), QStringLiteral("Sbagliato!! %1").arg(expected));
    QCOMPARE(c.lblMessage->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(c.lblScore->caption(), QStringLiteral("0"));
    QCOMPARE(c.lblScore1->caption(), QStringLiteral("1"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("1"));
    QVERIFY(c.cmdNext->isEnabled());
    QCOMPARE(QApplication::focusWidget(), c.cmdNext);
    QCOMPARE(c.txtAnswer->text(), QString::number(expected + 1)); // left as typed

    // The same exercise answered again, right this time, with leading zeros.
    m_window->cmdNext_Click();
    const int next = m_window->state().ExpectedAnswer;
    typeAnswer(QStringLiteral("%1").arg(next, 3, 10, QLatin1Char('0')).right(4));
    QTest::keyClick(c.txtAnswer, Qt::Key_Enter);
    QCOMPARE(c.lblMessage->caption(), QStringLiteral("Esatto, è incredibile!!!"));
    QCOMPARE(c.lblMessage->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(c.lblScore->caption(), QStringLiteral("1"));
    QCOMPARE(c.lblScore1->caption(), QStringLiteral("1"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("2"));

    // A second check of one exercise counts again.
    int key = 13;
    m_window->txtAnswer_KeyPress(key);
    QCOMPARE(key, 13);
    QCOMPARE(c.lblScore->caption(), QStringLiteral("2"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("3"));

    // An empty box is the answer 0.
    m_window->cmdNext_Click();
    m_window->state().ExpectedAnswer = 0;
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(c.lblScore->caption(), QStringLiteral("3"));

    // The counts stop at the top instead of wrapping round.
    m_window->cmdNext_Click();
    m_window->state().WrongCount = 32767;
    m_window->state().RightCount = 32767;
    typeAnswer(QString::number(m_window->state().ExpectedAnswer + 1));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(c.lblScore1->caption(), QStringLiteral("32767"));
    QCOMPARE(c.lblScore2->caption(), QStringLiteral("65534"));
}

void WindowTest::enterPosesTheNextExerciseOnceAnswered()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->cmdNext_Click();
    typeAnswer(QString::number(m_window->state().ExpectedAnswer));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(m_window->state().RightCount, 1);

    // Enter on the focused button poses the next exercise.
    QCOMPARE(QApplication::focusWidget(), c.cmdNext);
    QTest::keyClick(c.cmdNext, Qt::Key_Return);
    QVERIFY(!c.cmdNext->isEnabled());
    QVERIFY(c.lblMessage->caption().isEmpty());

    // Enter typed into the box while the button is enabled goes to the button,
    // not to the check.
    typeAnswer(QString::number(m_window->state().ExpectedAnswer));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(m_window->state().RightCount, 2);
    c.txtAnswer->setFocus();
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QCOMPARE(m_window->state().RightCount, 2);
    QVERIFY(!c.cmdNext->isEnabled());
    QVERIFY(c.txtAnswer->text().isEmpty());

    // Space on the focused button too.
    typeAnswer(QStringLiteral("0"));
    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QTest::keyClick(c.cmdNext, Qt::Key_Space);
    QVERIFY(!c.cmdNext->isEnabled());
}

void WindowTest::altShortcutsFollowTheButtons()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_window->cmdNext_Click();
    const auto expected = m_window->state().ExpectedAnswer;

    // Alt+N does nothing while the exercise waits for its answer.
    m_window->state().ExpectedAnswer = -1;
    QTest::keyClick(m_window, Qt::Key_N, Qt::AltModifier);
    QTest::qWait(300); // an access key clicks with a short animation
    QCOMPARE(m_window->state().ExpectedAnswer, -1);
    m_window->state().ExpectedAnswer = expected;

    QTest::keyClick(c.txtAnswer, Qt::Key_Return);
    QVERIFY(c.cmdNext->isEnabled());
    QTest::keyClick(m_window, Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(!c.cmdNext->isEnabled());

    // Alt+X asks whether to leave, at any time.
    QTest::keyClick(m_window, Qt::Key_X, Qt::AltModifier);
    QTRY_COMPARE(m_dialogs.kinds(), QStringList{QStringLiteral("confirm")});
    QCOMPARE(m_dialogs.endings, 0);
}

void WindowTest::pastedTextNeverEndsTheGame()
{
    const Controls &c = m_window->controls();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    int answers = 0;
    for (const QString &pasted : {QStringLiteral("1e99"), QStringLiteral("-0"), QStringLiteral("99999"),
                                  QStringLiteral(" 3.5"), QStringLiteral("<b>"), QStringLiteral("\u0663")}) {
        m_window->cmdNext_Click();
        QGuiApplication::clipboard()->setText(pasted);
        c.txtAnswer->paste(); // what the box's context menu does
        QTest::keyClick(c.txtAnswer, Qt::Key_Return);
        ++answers;
        QCOMPARE(m_window->state().RightCount + m_window->state().WrongCount, answers);
        QCOMPARE(c.lblScore2->caption(), QString::number(answers));
    }
    QVERIFY(!m_window->hasEnded());
}

void WindowTest::screenReadersFollowTheGame()
{
    const Controls &c = m_window->controls();
    QCOMPARE(c.txtAnswer->accessibleName(), QStringLiteral("Risultato"));
    QCOMPARE(c.cmdNext->accessibleName(), QStringLiteral("Nuovo calcolo"));
    QCOMPARE(c.cmdExit->accessibleName(), QStringLiteral("Esci"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));

    for (int round = 0; round < 5; ++round) {
        m_window->cmdNext_Click();
        const QString sentence = spokenExercise(c.lblnum2->caption().toInt(), c.lbldeno->caption().toInt(),
                                                c.lblnum1->caption().toInt());
        QVERIFY(sentence.contains(QStringLiteral(" di ") + c.lblnum1->caption()));
        QCOMPARE(c.txtAnswer->accessibleDescription(), sentence);
        QCOMPARE(c.lblnum1->accessibleName(), sentence);
        typeAnswer(QString::number(m_window->state().ExpectedAnswer));
        QTest::keyClick(c.txtAnswer, Qt::Key_Return);
        QCOMPARE(c.lblScore->accessibleName(), QStringLiteral("Risposte esatte: %1").arg(round + 1));
        QCOMPARE(c.lblScore2->accessibleName(), QStringLiteral("Risposte totali: %1").arg(round + 1));
    }
    QCOMPARE(c.lblMessage->text(), QStringLiteral("Esatto, è incredibile!!!"));
}

void WindowTest::qtSpeaksItalianAndTheButtonShowsItsFaces()
{
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sì"));

    QToolButton *next = m_window->controls().cmdNext;
    const auto faceOf = [](const QIcon &icon, QIcon::Mode mode) {
        return icon.pixmap(QSize(32, 32), mode).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage smiling = QImage(QStringLiteral(":/pictures/face-smile-32.xpm")).convertToFormat(QImage::Format_ARGB32);
    const QImage neutral = QImage(QStringLiteral(":/pictures/face-neutral-32.xpm")).convertToFormat(QImage::Format_ARGB32);
    const QImage laughing = QImage(QStringLiteral(":/pictures/face-laugh-32.xpm")).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(smiling != neutral && neutral != laughing);
    QCOMPARE(faceOf(next->icon(), QIcon::Normal), smiling);
    QCOMPARE(faceOf(next->icon(), QIcon::Disabled), neutral);
    next->setDown(true);
    emit next->pressed();
    QCOMPARE(faceOf(next->icon(), QIcon::Normal), laughing);
    emit next->released();
    QCOMPARE(faceOf(next->icon(), QIcon::Normal), smiling);
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
