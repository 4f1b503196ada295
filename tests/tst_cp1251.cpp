// Windows-1251: every byte of the upper half both ways, the byte the code page leaves
// undefined, ASCII, and the characters the code page cannot hold.

#include "files/Cp1251.h"

#include <QTest>

namespace {

struct UpperByte
{
    unsigned char byte;
    const char16_t *text; // the character, written out; nullptr where the code page has none
};

// The upper half of the code page, character by character.
const UpperByte UpperHalf[128] = {
        {0x80, u"Ђ"}, // U+0402
        {0x81, u"Ѓ"}, // U+0403
        {0x82, u"‚"}, // U+201A
        {0x83, u"ѓ"}, // U+0453
        {0x84, u"„"}, // U+201E
        {0x85, u"…"}, // U+2026
        {0x86, u"†"}, // U+2020
        {0x87, u"‡"}, // U+2021
        {0x88, u"€"}, // U+20AC
        {0x89, u"‰"}, // U+2030
        {0x8A, u"Љ"}, // U+0409
        {0x8B, u"‹"}, // U+2039
        {0x8C, u"Њ"}, // U+040A
        {0x8D, u"Ќ"}, // U+040C
        {0x8E, u"Ћ"}, // U+040B
        {0x8F, u"Џ"}, // U+040F
        {0x90, u"ђ"}, // U+0452
        {0x91, u"‘"}, // U+2018
        {0x92, u"’"}, // U+2019
        {0x93, u"“"}, // U+201C
        {0x94, u"”"}, // U+201D
        {0x95, u"•"}, // U+2022
        {0x96, u"–"}, // U+2013
        {0x97, u"—"}, // U+2014
        {0x98, nullptr},
        {0x99, u"™"}, // U+2122
        {0x9A, u"љ"}, // U+0459
        {0x9B, u"›"}, // U+203A
        {0x9C, u"њ"}, // U+045A
        {0x9D, u"ќ"}, // U+045C
        {0x9E, u"ћ"}, // U+045B
        {0x9F, u"џ"}, // U+045F
        {0xA0, u"\u00A0"}, // U+00A0
        {0xA1, u"Ў"}, // U+040E
        {0xA2, u"ў"}, // U+045E
        {0xA3, u"Ј"}, // U+0408
        {0xA4, u"¤"}, // U+00A4
        {0xA5, u"Ґ"}, // U+0490
        {0xA6, u"¦"}, // U+00A6
        {0xA7, u"§"}, // U+00A7
        {0xA8, u"Ё"}, // U+0401
        {0xA9, u"©"}, // U+00A9
        {0xAA, u"Є"}, // U+0404
        {0xAB, u"«"}, // U+00AB
        {0xAC, u"¬"}, // U+00AC
        {0xAD, u"\u00AD"}, // U+00AD
        {0xAE, u"®"}, // U+00AE
        {0xAF, u"Ї"}, // U+0407
        {0xB0, u"°"}, // U+00B0
        {0xB1, u"±"}, // U+00B1
        {0xB2, u"І"}, // U+0406
        {0xB3, u"і"}, // U+0456
        {0xB4, u"ґ"}, // U+0491
        {0xB5, u"µ"}, // U+00B5
        {0xB6, u"¶"}, // U+00B6
        {0xB7, u"·"}, // U+00B7
        {0xB8, u"ё"}, // U+0451
        {0xB9, u"№"}, // U+2116
        {0xBA, u"є"}, // U+0454
        {0xBB, u"»"}, // U+00BB
        {0xBC, u"ј"}, // U+0458
        {0xBD, u"Ѕ"}, // U+0405
        {0xBE, u"ѕ"}, // U+0455
        {0xBF, u"ї"}, // U+0457
        {0xC0, u"А"}, // U+0410
        {0xC1, u"Б"}, // U+0411
        {0xC2, u"В"}, // U+0412
        {0xC3, u"Г"}, // U+0413
        {0xC4, u"Д"}, // U+0414
        {0xC5, u"Е"}, // U+0415
        {0xC6, u"Ж"}, // U+0416
        {0xC7, u"З"}, // U+0417
        {0xC8, u"И"}, // U+0418
        {0xC9, u"Й"}, // U+0419
        {0xCA, u"К"}, // U+041A
        {0xCB, u"Л"}, // U+041B
        {0xCC, u"М"}, // U+041C
        {0xCD, u"Н"}, // U+041D
        {0xCE, u"О"}, // U+041E
        {0xCF, u"П"}, // U+041F
        {0xD0, u"Р"}, // U+0420
        {0xD1, u"С"}, // U+0421
        {0xD2, u"Т"}, // U+0422
        {0xD3, u"У"}, // U+0423
        {0xD4, u"Ф"}, // U+0424
        {0xD5, u"Х"}, // U+0425
        {0xD6, u"Ц"}, // U+0426
        {0xD7, u"Ч"}, // U+0427
        {0xD8, u"Ш"}, // U+0428
        {0xD9, u"Щ"}, // U+0429
        {0xDA, u"Ъ"}, // U+042A
        {0xDB, u"Ы"}, // U+042B
        {0xDC, u"Ь"}, // U+042C
        {0xDD, u"Э"}, // U+042D
        {0xDE, u"Ю"}, // U+042E
        {0xDF, u"Я"}, // U+042F
        {0xE0, u"а"}, // U+0430
        {0xE1, u"б"}, // U+0431
        {0xE2, u"в"}, // U+0432
        {0xE3, u"г"}, // U+0433
        {0xE4, u"д"}, // U+0434
        {0xE5, u"е"}, // U+0435
        {0xE6, u"ж"}, // U+0436
        {0xE7, u"з"}, // U+0437
        {0xE8, u"и"}, // U+0438
        {0xE9, u"й"}, // U+0439
        {0xEA, u"к"}, // U+043A
        {0xEB, u"л"}, // U+043B
        {0xEC, u"м"}, // U+043C
        {0xED, u"н"}, // U+043D
        {0xEE, u"о"}, // U+043E
        {0xEF, u"п"}, // U+043F
        {0xF0, u"р"}, // U+0440
        {0xF1, u"с"}, // U+0441
        {0xF2, u"т"}, // U+0442
        {0xF3, u"у"}, // U+0443
        {0xF4, u"ф"}, // U+0444
        {0xF5, u"х"}, // U+0445
        {0xF6, u"ц"}, // U+0446
        {0xF7, u"ч"}, // U+0447
        {0xF8, u"ш"}, // U+0448
        {0xF9, u"щ"}, // U+0449
        {0xFA, u"ъ"}, // U+044A
        {0xFB, u"ы"}, // U+044B
        {0xFC, u"ь"}, // U+044C
        {0xFD, u"э"}, // U+044D
        {0xFE, u"ю"}, // U+044E
        {0xFF, u"я"}, // U+044F
};

} // namespace

class TestCp1251 : public QObject
{
    Q_OBJECT

private slots:
    void upperHalf_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("defined");
        for (const UpperByte &u : UpperHalf)
            QTest::addRow("0x%02X", u.byte) << int(u.byte) << (u.text ? QString::fromUtf16(u.text) : QString()) << (u.text != nullptr);
    }

    // One byte decodes to its character and the character encodes to that byte, alone and
    // between ASCII letters; the undefined byte is refused, and so is the C1 control character
    // of the same number.
    void upperHalf()
    {
        QFETCH(int, byte);
        QFETCH(QString, text);
        QFETCH(bool, defined);
        const QByteArray bytes(1, char(byte));
        const QByteArray between = "a" + bytes + "b";
        if (!defined) {
            QVERIFY(!Cp1251::decode(bytes));
            QVERIFY(!Cp1251::decode(between));
            QVERIFY(!Cp1251::encode(QString(QChar(byte))));
            QVERIFY(!Cp1251::encode(u'a' + QString(QChar(byte)) + u'b'));
            return;
        }
        QCOMPARE(text.size(), 1);
        const auto decoded = Cp1251::decode(bytes);
        QVERIFY(decoded);
        QCOMPARE(*decoded, text);
        QCOMPARE(Cp1251::decode(between).value_or(QString()), u'a' + text + u'b');
        const auto encoded = Cp1251::encode(text);
        QVERIFY(encoded);
        QCOMPARE(*encoded, bytes);
        QCOMPARE(Cp1251::encode(u'a' + text + u'b').value_or(QByteArray()), between);
    }

    // The lower half is ASCII, the NUL and the control characters too.
    void lowerHalf()
    {
        QByteArray bytes;
        QString text;
        for (int b = 0; b < 0x80; ++b) {
            bytes += char(b);
            text += QChar(b);
        }
        QCOMPARE(Cp1251::decode(bytes).value_or(QString()), text);
        QCOMPARE(Cp1251::encode(text).value_or(QByteArray()), bytes);
    }

    // Every defined byte at once, and a text of Russian words, go there and back unchanged.
    void roundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 0x100; ++b)
            if (b != 0x98)
                all += char(b);
        const auto text = Cp1251::decode(all);
        QVERIFY(text);
        QCOMPARE(text->size(), all.size());
        QCOMPARE(Cp1251::encode(*text).value_or(QByteArray()), all);

        const QString words = QStringLiteral("Щебень гранитный 5–20 мм, «Ёлка» № 3 — 2,65 г/см³");
        QVERIFY(!Cp1251::encode(words)); // "³" has no place in the code page
        const QString held = QStringLiteral("Щебень гранитный 5–20 мм, «Ёлка» № 3 — 2,65 г/см3");
        const auto bytes = Cp1251::encode(held);
        QVERIFY(bytes);
        QCOMPARE(bytes->size(), held.size());
        QCOMPARE(bytes->at(0), char(0xD9)); // Щ
        QCOMPARE(Cp1251::decode(*bytes).value_or(QString()), held);
        QCOMPARE(Cp1251::encode(QString()).value_or(QByteArray("x")), QByteArray());
        QCOMPARE(Cp1251::decode(QByteArray()).value_or(QStringLiteral("x")), QString());
    }

    void refused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Latin e with acute") << QStringLiteral("Песок é");
        QTest::newRow("Greek Omega") << QStringLiteral("Ω");
        QTest::newRow("yen sign, where 0xA5 holds Ґ") << QStringLiteral("¥");
        QTest::newRow("combining diaeresis") << QStringLiteral("Е\u0308");
        QTest::newRow("CJK") << QStringLiteral("песок 中");
        QTest::newRow("emoji, a surrogate pair") << QStringLiteral("песок 😀");
        QTest::newRow("lone high surrogate") << (QStringLiteral("песок ") + QChar(0xD83D));
        QTest::newRow("lone low surrogate") << (QChar(0xDE00) + QStringLiteral(" песок"));
        QTest::newRow("replacement character") << QStringLiteral("\uFFFD");
        QTest::newRow("C1 control 0x80") << QString(QChar(0x80));
        QTest::newRow("after the last Cyrillic letter") << QString(QChar(0x0450));
    }

    // A text holding a character the code page cannot hold is refused as a whole.
    void refused()
    {
        QFETCH(QString, text);
        QVERIFY(!Cp1251::encode(text));
    }
};

QTEST_GUILESS_MAIN(TestCp1251)
#include "tst_cp1251.moc"
