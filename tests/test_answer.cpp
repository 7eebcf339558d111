#include "exercises/answer.h"

#include <QtTest>

#include <limits>

using Reading = std::optional<std::int16_t>;
Q_DECLARE_METATYPE(Reading)

class AnswerTest : public QObject
{
    Q_OBJECT

private slots:
    void keyFilter();
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
    void countsStopAtTheTop();
    void verdicts();
};

void AnswerTest::keyFilter()
{
    for (char digit = '0'; digit <= '9'; ++digit)
        QCOMPARE(classifyAnswerKey(digit), AnswerKey::Accept);
    QCOMPARE(classifyAnswerKey(8), AnswerKey::Accept);
    QCOMPARE(classifyAnswerKey(13), AnswerKey::Check);

    for (int code : std::initializer_list<int>{'a', 'Z', ' ', '-', '+', '.', ',', 'e', '/', ':', 0, 1, 9, 10, 22, 27, 127})
        QCOMPARE(classifyAnswerKey(code), AnswerKey::Drop);
    // Codes beyond the signed 16-bit range read as negative: a full-width
    // digit or a letter from the top of the range is dropped, never taken.
    QCOMPARE(classifyAnswerKey(0xFF10), AnswerKey::Drop);
    QCOMPARE(classifyAnswerKey(0xFFFF), AnswerKey::Drop);
    QCOMPARE(classifyAnswerKey(-1), AnswerKey::Drop);
    QCOMPARE(classifyAnswerKey(0x0663), AnswerKey::Drop); // Arabic-Indic three
}

void AnswerTest::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Reading>("expected");

    auto row = [](const char *name, const QString &text, Reading expected) {
        QTest::newRow(name) << text << expected;
    };
    row("empty", "", 0);
    row("digits", "12", 12);
    row("leading zeros", "007", 7);
    row("largest typed", "9999", 9999);
    row("blanks first", " \t 42", 42);
    row("no number", "abc", 0);
    row("stops at a letter", "12abc", 12);
    row("blank inside ends it", "1 2", 1);
    row("minus", "-5", -5);
    row("plus", "+5", 5);
    row("sign alone", "-", 0);
    row("point alone", ".", 0);
    row("half rounds to even (down)", "2.5", 2);
    row("half rounds to even (up)", "3.5", 4);
    row("negative half", "-2.5", -2);
    row("decimal only", ".5", 0);
    row("above half", "2.51", 3);
    row("exponent", "1e3", 1000);
    row("exponent with sign", "25E-1", 2);
    row("exponent without digits", "12e", 12);
    row("exponent sign without digits", "12e+", 12);
    row("top of range", "32767", 32767);
    row("bottom of range", "-32768", -32768);
    row("rounds into range", "32767.4", 32767);
    row("rounds out of range", "32767.5", std::nullopt);
    row("just above range", "32768", std::nullopt);
    row("just below range", "-32769", std::nullopt);
    row("exponent out of range", "1e5", std::nullopt);
    row("far out of range", "1e999999", std::nullopt);
    row("too long to hold", QString(400, u'9'), std::nullopt);
    row("vanishingly small", "1e-999999", 0);
    // Beyond what a double holds, the size decides, not the exponent's sign.
    row("huge despite a negative exponent", QString(330, u'2') + QStringLiteral("e-2"), std::nullopt);
    row("huge negative despite a negative exponent", u'-' + QString(330, u'7') + QStringLiteral("e-9"),
        std::nullopt);
    const QString tiny = QStringLiteral("0.") + QString(400, u'0') + u'1'; // 1e-401
    row("tiny despite a positive exponent", tiny + QStringLiteral("e5"), 0);
    row("tiny with a long exponent", tiny + QStringLiteral("e+00000000000000000009"), 0);
    row("zero with a huge exponent", "0e99999999999999999999", 0);
    row("other digits", QStringLiteral("\u0663"), 0);
    row("hexadecimal is not read", "&H10", 0);
    row("pasted with text", "42 mele", 42);
}

void AnswerTest::readsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(Reading, expected);
    QCOMPARE(readAnswer(text), expected);
}

void AnswerTest::countsStopAtTheTop()
{
    QCOMPARE(countedOnce(0), std::int16_t{1});
    QCOMPARE(countedOnce(32766), std::int16_t{32767});
    QCOMPARE(countedOnce(std::numeric_limits<std::int16_t>::max()), std::int16_t{32767});
}

void AnswerTest::verdicts()
{
    QCOMPARE(rightVerdict(), QStringLiteral("Esatto, è incredibile!!!"));
    QCOMPARE(wrongVerdict(12), QStringLiteral("Sbagliato!! 12"));
    QCOMPARE(wrongVerdict(0), QStringLiteral("Sbagliato!! 0"));
    QCOMPARE(wrongVerdict(90), QStringLiteral("Sbagliato!! 90"));
}

QTEST_APPLESS_MAIN(AnswerTest)
#include "test_answer.moc"
