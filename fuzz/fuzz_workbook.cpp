// The component database workbook (.xlsx bytes): read with two settings, refused with a
// message or taken through the selection window's logic.

#include "DatabaseCheck.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray book = Fuzz::bytes(data, size);
    for (const DatabaseSettings &settings : {DatabaseSettings{2, 3, 12, 3, 1, 2}, DatabaseSettings{1, 2, 6, 2, 1, 8}}) {
        QString error;
        QStringList warnings;
        auto db = ReadComponentDatabaseBytes(book, QStringLiteral("fuzz.xlsx"), settings, &error, &warnings);
        if (!db) {
            Fuzz::require(error.contains(QStringLiteral("fuzz.xlsx")), "a refused workbook gets a message naming it");
            continue;
        }
        Fuzz::checkDatabase(std::move(*db));
    }
    return 0;
}
