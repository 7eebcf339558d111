#include "exercises/answer.h"

#include <QtTest>

using Reading = std::optional<std::int16_t>;
Q_DECLARE_METATYPE(Reading)
Q_DECLARE_METATYPE(AnswerKey)

class AnswerTest : public QObject
{
    Q_OBJECT

private slots:
    void keyFilter_data();
    void keyFilter();
    void readsTheLeadingNumber_data();
    void readsTheLeadingNumber();
    void countsStopAtTheTop();
};

void AnswerTest::keyFilter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<AnswerKey>("handling");
    for (int code : std::initializer_list<int>{'0', '5', '9', 8})
        QTest::addRow("take %d", code) << code << AnswerKey::Accept;
    QTest::newRow("Enter") << 13 << AnswerKey::Check;
    // Codes beyond the signed 16-bit range read as negative: a full-width
    // digit is dropped, never taken.
    for (int code : std::initializer_list<int>{'a', ' ', '-', '+', '.', ',', '/', ':', 0, 10, 22, 27, 127, 0x0663, 0xFF10, -1})
        QTest::addRow("drop %d", code) << code << AnswerKey::Drop;
}

void AnswerTest::keyFilter()
{
    QFETCH(int, code);
    QFETCH(AnswerKey, handling);
    QCOMPARE(classifyAnswerKey(code), handling);
}

void AnswerTest::readsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Reading>("expected");

    auto row = [](const char *name, const QString &text, Reading expected) {
        QTest::newRow(name) << text << expected;
    };
    row("empty", "", 0);
    row("leading zeros", "007", 7);
    row("largest typed", "9999", 9999);
    row("blanks first", " \t 42", 42);
    row("no number", "abc", 0);
    row("stops at a letter", "12abc", 12);
    row("blank inside ends it", "1 2", 1);
    row("minus", "-5", -5);
    row("sign alone", "-", 0);
    row("point alone", ".", 0);
    row("half rounds to even (down)", "2.5", 2);
    row("half rounds to even (up)", "3.5", 4);
    row("negative half", "-2.5", -2);
    row("exponent", "1e3", 1000);
    row("exponent with sign", "25E-1", 2);
    row("exponent without digits", "12e+", 12);
    row("top of range", "32767", 32767);
    row("bottom of range", "-32768", -32768);
    row("rounds out of range", "32767.5", std::nullopt);
    row("just below range", "-32769", std::nullopt);
    row("far out of range", "1e999999", std::nullopt);
    row("vanishingly small", "1e-999999", 0);
    // Found by fuzzing: beyond what a double holds, the size decides, not
    // the exponent's sign.
    row("huge despite a negative exponent", QString(330, u'2') + QStringLiteral("e-2"), std::nullopt);
    row("tiny despite a positive exponent", QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1e5"), 0);
    row("zero with a huge exponent", "0e99999999999999999999", 0);
    row("other digits", QStringLiteral("\u0663"), 0);
    row("hexadecimal is not read", "&H10", 0);
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
    QCOMPARE(countedOnce(32767), std::int16_t{32767});
}

QTEST_APPLESS_MAIN(AnswerTest)
#include "test_answer.moc"
