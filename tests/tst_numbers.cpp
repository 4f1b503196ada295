#include "core/Numbers.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

class TestNumbers final : public QObject
{
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QStringLiteral("12") << 12.0;
        QTest::newRow("letters after") << QStringLiteral("10abc") << 10.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
        QTest::newRow("comma ends") << QStringLiteral("0,5") << 0.0;
        QTest::newRow("comma after whole") << QStringLiteral("3,0") << 3.0;
        QTest::newRow("leading blank") << QStringLiteral(" 12") << 12.0;
        QTest::newRow("blanks inside") << QStringLiteral("1 2") << 12.0;
        QTest::newRow("period") << QStringLiteral("2.5") << 2.5;
        QTest::newRow("second period ends") << QStringLiteral("1.5.3") << 1.5;
        QTest::newRow("sign") << QStringLiteral("-4") << -4.0;
        QTest::newRow("plus") << QStringLiteral("+7x") << 7.0;
        QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
        QTest::newRow("negative exponent") << QStringLiteral("25E-1") << 2.5;
        QTest::newRow("bare exponent") << QStringLiteral("1e") << 1.0;
        QTest::newRow("lone sign") << QStringLiteral("-") << 0.0;
        QTest::newRow("huge") << QStringLiteral("1e400") << 1.7976931348623157e308;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Num::Val(text), expected);
    }

    void toSingle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<float>("expected");
        QTest::newRow("comma") << QStringLiteral("0,5") << true << 0.5f;
        QTest::newRow("period") << QStringLiteral("0.5") << true << 0.5f;
        QTest::newRow("whole") << QStringLiteral("100") << true << 100.0f;
        QTest::newRow("density") << QStringLiteral("2,65") << true << 2.65f;
        QTest::newRow("blanks around") << QStringLiteral(" 7 ") << true << 7.0f;
        QTest::newRow("negative") << QStringLiteral("-4,5") << true << -4.5f;
        QTest::newRow("trailing comma") << QStringLiteral("12,") << true << 12.0f;
        QTest::newRow("leading comma") << QStringLiteral(",5") << true << 0.5f;
        QTest::newRow("exponent") << QStringLiteral("1,5E2") << true << 150.0f;
        QTest::newRow("empty") << QString() << false << 0.0f;
        QTest::newRow("blank") << QStringLiteral("  ") << false << 0.0f;
        QTest::newRow("letters") << QStringLiteral("abc") << false << 0.0f;
        QTest::newRow("number then letters") << QStringLiteral("10abc") << false << 0.0f;
        QTest::newRow("lone comma") << QStringLiteral(",") << false << 0.0f;
        QTest::newRow("two separators") << QStringLiteral("1,2,3") << false << 0.0f;
        QTest::newRow("float overflow") << QStringLiteral("1e39") << false << 0.0f;
        QTest::newRow("underflow is zero") << QStringLiteral("1e-60") << true << 0.0f;
        QTest::newRow("15 digits") << QStringLiteral("33,3333333333333") << true << 33.333332f;
        QTest::newRow("25 digits") << QStringLiteral("0,1234567890123456789012345") << true << 0.12345679f;
        QTest::newRow("8 digits") << QStringLiteral("16777217") << true << 16777216.0f;
    }
    void toSingle()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(float, expected);
        const auto v = Num::toSingle(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, expected);
    }

    // The fast conversion paths agree with a correctly rounded reading for every kind of text.
    void conversionsAgreeWithFromChars()
    {
        const char *samples[] = {"0.1", "2.65", "3.1", "7.85", "0.071", "33.3333333333333", "99.999", "12345.678",
                                 "0.000123", "16777216", "16777217", "123456789012345678", "9007199254740993",
                                 "0.30000000000000004", "1234567.5", "0.5", "100"};
        for (const char *s : samples) {
            float f = 0;
            double d = 0;
            std::from_chars(s, s + std::strlen(s), f);
            std::from_chars(s, s + std::strlen(s), d);
            QString comma = QString::fromLatin1(s);
            comma.replace(u'.', u',');
            QCOMPARE(*Num::toSingle(comma), f);
            QCOMPARE(*Num::toDouble(comma), d);
        }
    }

    // Long texts, underflow and the extremes read as the rest of the conversions do: a long
    // mantissa keeps its exponent, a number too small for its type reads as 0 whatever its
    // notation, and the largest double the program writes reads back.
    void longAndExtremeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("val");
        QTest::addColumn<bool>("doubleOk");
        QTest::addColumn<double>("asDouble");
        QTest::addColumn<bool>("singleOk");
        QTest::addColumn<float>("asSingle");
        const QString zeros200 = QString(199, u'0');
        QTest::newRow("200 digits then e1") << QStringLiteral("1") + zeros200 + QStringLiteral("e1") << 1e200 << true << 1e200
                                            << false << 0.0f;
        QTest::newRow("200 digits, fraction") << QStringLiteral("1") + zeros200 + QStringLiteral(".5") << 1e199 << true << 1e199
                                              << false << 0.0f;
        QTest::newRow("46 zeros then 1") << QStringLiteral("0.") + QString(46, u'0') + u'1' << 1e-47 << true << 1e-47 << true
                                         << 0.0f;
        QTest::newRow("1e-46") << QStringLiteral("1e-46") << 1e-46 << true << 1e-46 << true << 0.0f;
        QTest::newRow("400 zeros then 1") << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0 << true << 0.0 << true
                                          << 0.0f;
        QTest::newRow("1e-400") << QStringLiteral("1e-400") << 0.0 << true << 0.0 << true << 0.0f;
        QTest::newRow("largest double written") << Num::formatDouble(std::numeric_limits<double>::max()).replace(u',', u'.')
                                                << std::numeric_limits<double>::max() << true
                                                << std::numeric_limits<double>::max() << false << 0.0f;
        QTest::newRow("lowest double written") << Num::formatDouble(std::numeric_limits<double>::lowest()).replace(u',', u'.')
                                               << std::numeric_limits<double>::lowest() << true
                                               << std::numeric_limits<double>::lowest() << false << 0.0f;
        QTest::newRow("beyond the largest double") << QStringLiteral("1.8e308") << std::numeric_limits<double>::max() << false
                                                   << 0.0 << false << 0.0f;
        QTest::newRow("largest float written") << Num::formatSingle(std::numeric_limits<float>::max()).replace(u',', u'.')
                                               << 3.402823e38 << true << 3.402823e38 << true
                                               << std::numeric_limits<float>::max();
        QTest::newRow("smallest float written") << Num::formatSingle(std::numeric_limits<float>::denorm_min()).replace(u',', u'.')
                                                << 1.401298e-45 << true << 1.401298e-45 << true
                                                << std::numeric_limits<float>::denorm_min();
        QTest::newRow("long exponent") << QStringLiteral("1e00000000000000000000002") << 100.0 << true << 100.0 << true << 100.0f;
        QTest::newRow("huge exponent") << QStringLiteral("1e99999999999999999999") << std::numeric_limits<double>::max() << false
                                       << 0.0 << false << 0.0f;
        QTest::newRow("huge negative exponent") << QStringLiteral("5e-99999999999999999999") << 0.0 << true << 0.0 << true << 0.0f;
        // 1000 significant digits: rounded correctly, not cut.
        QTest::newRow("1000 digits") << QStringLiteral("0.") + QString(999, u'3') + u'4' << 0.3333333333333333 << true
                                     << 0.3333333333333333 << true << 0.33333334f;
    }
    void longAndExtremeTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, val);
        QFETCH(bool, doubleOk);
        QFETCH(double, asDouble);
        QFETCH(bool, singleOk);
        QFETCH(float, asSingle);
        QCOMPARE(Num::Val(text), val);
        QString comma = text;
        comma.replace(u'.', u',');
        const auto d = Num::toDouble(comma);
        QCOMPARE(d.has_value(), doubleOk);
        if (doubleOk)
            QCOMPARE(*d, asDouble);
        const auto f = Num::toSingle(comma);
        QCOMPARE(f.has_value(), singleOk);
        if (singleOk)
            QCOMPARE(*f, asSingle);
        // What converts as a single converts as a double too, and the two agree.
        if (f)
            QVERIFY(d && Num::single(*d) == f);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("2.5") << 2.5 << 0 << 2.0;
        QTest::newRow("3.5") << 3.5 << 0 << 4.0;
        QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
        QTest::newRow("0.125 to 2") << 0.125 << 2 << 0.12;
        QTest::newRow("0.375 to 2") << 0.375 << 2 << 0.38;
        QTest::newRow("39.107157") << 39.107157 << 2 << 39.11;
        QTest::newRow("no half") << 70.705 << 1 << 70.7;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(Num::roundHalfEven(value, decimals), expected);
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even down") << 2.5 << true << 2;
        QTest::newRow("half to even up") << 3.5 << true << 4;
        QTest::newRow("max") << 32767.0 << true << 32767;
        QTest::newRow("min") << -32768.0 << true << -32768;
        QTest::newRow("overflow") << 32767.5 << false << 0; // rounds to 32768
        QTest::newRow("underflow") << -32769.0 << false << 0;
        QTest::newRow("nan") << std::nan("") << false << 0;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        const auto v = Num::toInt16(value);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(int(*v), expected);
    }

    void format_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("float 3.1") << Num::formatSingle(3.1f) << QStringLiteral("3,1");
        QTest::newRow("float 100") << Num::formatSingle(100.0f) << QStringLiteral("100");
        QTest::newRow("float 2.65") << Num::formatSingle(2.65f) << QStringLiteral("2,65");
        QTest::newRow("float 7.85") << Num::formatSingle(7.85f) << QStringLiteral("7,85");
        QTest::newRow("float 1/3") << Num::formatSingle(1.0f / 3.0f) << QStringLiteral("0,3333333");
        QTest::newRow("float large") << Num::formatSingle(1.0e7f) << QStringLiteral("1E+07");
        QTest::newRow("double 100/3") << Num::formatDouble(100.0 / 3.0) << QStringLiteral("33,3333333333333");
        QTest::newRow("double 12.5") << Num::formatDouble(12.5) << QStringLiteral("12,5");
        QTest::newRow("double negative") << Num::formatDouble(-0.25) << QStringLiteral("-0,25");
        QTest::newRow("double zero") << Num::formatDouble(-0.0) << QStringLiteral("0");
        QTest::newRow("rounded 39,11") << Num::formatRounded(39.107157, 2) << QStringLiteral("39,11");
        QTest::newRow("rounded 70,71") << Num::formatRounded(70.7106, 2) << QStringLiteral("70,71");
        QTest::newRow("rounded whole") << Num::formatRounded(99.999, 2) << QStringLiteral("100");
        QTest::newRow("rounded one zero dropped") << Num::formatRounded(12.5, 2) << QStringLiteral("12,5");
        QTest::newRow("rounded small") << Num::formatRounded(0.05, 2) << QStringLiteral("0,05");
        QTest::newRow("rounded half even") << Num::formatRounded(0.125, 2) << QStringLiteral("0,12");
        QTest::newRow("rounded negative") << Num::formatRounded(-5.004, 2) << QStringLiteral("-5");
        QTest::newRow("rounded negative zero") << Num::formatRounded(-0.001, 2) << QStringLiteral("0");
        QTest::newRow("rounded float 100") << Num::formatRounded(double(100.0f), 2) << QStringLiteral("100");
        QTest::newRow("graph whole") << Num::graphText(5.0) << QStringLiteral(" 5");
        QTest::newRow("graph fraction") << Num::graphText(0.16) << QStringLiteral(" 0.16");
        QTest::newRow("graph negative") << Num::graphText(-2.5) << QStringLiteral("-2.5");
        QTest::newRow("graph divergence") << Num::graphText(Num::roundHalfEven(6.3249, 2)) << QStringLiteral(" 6.32");
    }
    void format()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void checkedArithmetic()
    {
        QVERIFY(!Num::divide(1.0, 0.0));
        QVERIFY(!Num::divide(0.0, 0.0));
        QCOMPARE(*Num::divide(1.0, 4.0), 0.25);
        QVERIFY(!Num::power(-8.0, 0.5));   // invalid power
        QCOMPARE(*Num::power(-2.0, 3.0), -8.0);
        QVERIFY(!Num::power(0.0, -1.0));   // division by zero
        QCOMPARE(*Num::power(0.0, 0.0), 1.0);
        QVERIFY(!Num::power(10.0, 400.0)); // overflow
        QVERIFY(!Num::single(1e39));
        QCOMPARE(*Num::single(0.5), 0.5f);
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
