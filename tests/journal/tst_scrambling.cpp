#include "journal/scrambling.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

QString token(std::size_t letter)
{
    return QString::fromUtf16(ScrambleTokens[letter].data(), qsizetype(ScrambleTokens[letter].size()));
}

// Twenty-six replace-all passes, the plain way the unscrambling must agree with.
QString unscrambleByPasses(QString text)
{
    for (std::size_t i = 0; i < ScrambleTokens.size(); ++i)
        text.replace(token(i), QString(QChar(u'a' + int(i))));
    return text;
}

} // namespace

class tst_Scrambling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tokenTableHasEveryProperty();
    void textWithoutTokenCharactersComesBack_data();
    void textWithoutTokenCharactersComesBack();
    void examples();
    void unscramblingAgreesWithReplacePassesOnAnyText();
};

void tst_Scrambling::tokenTableHasEveryProperty()
{
    QStringList tokens;
    QList<int> lengths;
    int oneRun = 0, twoRuns = 0, digitsAndOneMark = 0, marksOnly = 0;
    for (std::size_t i = 0; i < ScrambleTokens.size(); ++i) {
        const QString t = token(i);
        tokens.append(t);
        lengths.append(int(t.size()));
        QVERIFY2(t.startsWith(u'_') && t.endsWith(u'_'), qPrintable(t));
        QVERIFY2(!t.contains(QStringLiteral("__")), qPrintable(t));
        QVERIFY2(std::none_of(t.begin(), t.end(), [](QChar c) { return c.isLetter(); }), qPrintable(t));
        const QString inner = t.sliced(1, t.size() - 2);
        const auto digits = std::count_if(inner.begin(), inner.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const auto underscores = inner.count(u'_');
        const auto marks = inner.size() - digits - underscores;
        if (marks == 0 && underscores == 0 && digits >= 3 && digits <= 13)
            ++oneRun;
        else if (marks == 0 && underscores == 1 && !inner.startsWith(u'_') && !inner.endsWith(u'_'))
            ++twoRuns;
        else if (marks == 1 && underscores == 0 && digits > 0)
            ++digitsAndOneMark;
        else if (marks == inner.size())
            ++marksOnly;
        else
            QFAIL(qPrintable(u"a token of no known form: " + t));
    }
    QCOMPARE(tokens.size(), 26);
    QCOMPARE(QSet<QString>(tokens.begin(), tokens.end()).size(), 26);
    std::sort(lengths.begin(), lengths.end());
    QCOMPARE(lengths, (QList<int>{5, 5, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 10, 12, 14, 15}));
    QCOMPARE(oneRun, 22);
    QCOMPARE(twoRuns, 2);
    QCOMPARE(digitsAndOneMark, 1);
    QCOMPARE(marksOnly, 1);

    // No token inside another, and none across the seam of two side by side.
    for (const QString &a : std::as_const(tokens)) {
        for (const QString &b : std::as_const(tokens)) {
            if (a != b)
                QVERIFY2(!b.contains(a), qPrintable(a + u" in " + b));
            const QString pair = a + b;
            for (const QString &t : std::as_const(tokens)) {
                for (qsizetype at = pair.indexOf(t); at >= 0; at = pair.indexOf(t, at + 1))
                    QVERIFY2(at == 0 || at == a.size(), qPrintable(t + u" across " + pair));
            }
        }
    }
}

void tst_Scrambling::textWithoutTokenCharactersComesBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("every letter") << QStringLiteral("the quick brown fox jumps over a lazy dog");
    QTest::newRow("doubled letters") << QStringLiteral("llama  bookkeeper");
    QTest::newRow("line breaks and tabs") << QStringLiteral("Dear diary,\n\ttoday\r\nit rained.\n");
    QTest::newRow("accents and capitals") << QStringLiteral("CAFÉ café Über über ÿ");
    QTest::newRow("outside Latin-1") << QStringLiteral("дневник: ☂ rain, 雨 and ƒ");
}

void tst_Scrambling::textWithoutTokenCharactersComesBack()
{
    QFETCH(QString, text);
    const QString scrambled = ScrambleText(text);
    QCOMPARE(UnscrambleText(scrambled), text);
    for (QChar c = u'a'; c <= u'z'; c = QChar(c.unicode() + 1))
        QVERIFY2(!scrambled.contains(c), qPrintable(scrambled));
}

void tst_Scrambling::examples()
{
    QCOMPARE(ScrambleText(QStringLiteral("HELLO 123")), QStringLiteral("HELLO 123"));
    QCOMPARE(ScrambleText(QString()), QString());
    QCOMPARE(UnscrambleText(QString()), QString());
    const auto t = [](char16_t c) { return token(std::size_t(c - u'a')); };
    QCOMPARE(ScrambleText(QStringLiteral("Hello World")),
             u'H' + t(u'e') + t(u'l') + t(u'l') + t(u'o') + u" W" + t(u'o') + t(u'r') + t(u'l') + t(u'd'));
    QCOMPARE(ScrambleText(QStringLiteral("é ü")), QStringLiteral("é ü"));
    // A token written out in a text comes back as its letter.
    QCOMPARE(UnscrambleText(u"see " + t(u'q') + u" here"), QStringLiteral("see q here"));
}

void tst_Scrambling::unscramblingAgreesWithReplacePassesOnAnyText()
{
    // Pieces of tokens, whole tokens and their neighbours, so that tokens
    // overlap, share an underscore and hide inside longer digit runs.
    QStringList pieces;
    for (std::size_t i = 0; i < ScrambleTokens.size(); ++i) {
        const QString t = token(i);
        pieces << t << t.left(t.size() - 1) << t.mid(1) << t.mid(1, t.size() - 2);
    }
    pieces << QStringLiteral("_") << QStringLiteral("x") << QStringLiteral("7") << QStringLiteral(" ");
    QRandomGenerator random(11);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = 1 + random.bounded(12);
        for (int i = 0; i < count; ++i)
            text += pieces.at(random.bounded(int(pieces.size())));
        QCOMPARE(UnscrambleText(text), unscrambleByPasses(text));
    }
}

QTEST_APPLESS_MAIN(tst_Scrambling)
#include "tst_scrambling.moc"
