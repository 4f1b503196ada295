// The settings file "app_setups.ini": any bytes are read or refused with a message, and what is
// read lies within a worksheet.

#include "FuzzSupport.h"

#include "database/ComponentDatabase.h"
#include "database/Xlsx.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const auto s = ReadDatabaseSettingsBytes(Fuzz::bytes(data, size), QStringLiteral("app_setups.ini"), &error);
    if (!s) {
        Fuzz::require(error.contains(QStringLiteral("app_setups.ini")), "a refused settings file gets a message naming it");
        return 0;
    }
    auto row = [](int r) { return r >= 1 && r <= Xlsx::MaxRows; };
    auto col = [](int c) { return c >= 1 && c <= Xlsx::MaxColumns; };
    Fuzz::require(row(s->R) && row(s->S), "rows within the sheet");
    Fuzz::require(col(s->C1) && col(s->C2) && col(s->CN) && col(s->CQ), "columns within the sheet");
    Fuzz::require(s->C1 <= s->C2, "sizes from left to right");
    return 0;
}
