// Reading a component database of 1000 rows (10 sieves): milliseconds per reading. Goal: at
// most 200 ms.
#include "../tests/XlsxWriter.h"
#include "database/ComponentDatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("big.xlsx"));
    QList<TestXlsx::Cell> cells;
    const double sizes[10] = {0.071, 0.16, 0.315, 0.63, 1.25, 2.5, 5, 10, 20, 40};
    for (int k = 0; k < 10; ++k)
        cells << TestXlsx::Cell{2, 3 + k, TestXlsx::num(sizes[k])};
    for (int r = 3; r < 1003; ++r) {
        cells << TestXlsx::Cell{r, 1, TestXlsx::str(QStringLiteral("Компонент %1").arg(r - 2))};
        cells << TestXlsx::Cell{r, 2, TestXlsx::str(QStringLiteral("партия %1").arg(r % 17))};
        for (int k = 0; k < 10; ++k)
            cells << TestXlsx::Cell{r, 3 + k, TestXlsx::num((r * 7 + k * 13) % 100 + 0.5)};
        cells << TestXlsx::Cell{r, 13, TestXlsx::num(1000)};
    }
    if (!TestXlsx::writeWorkbook(book, TestXlsx::sheetXml(cells))) {
        std::fprintf(stderr, "cannot write the workbook\n");
        return 2;
    }
    DatabaseSettings s{2, 3, 12, 3, 1, 2};
    const int runs = 10;
    double best = 1e9;
    int count = 0;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const auto db = ReadComponentDatabase(book, s, nullptr);
        const auto t1 = std::chrono::steady_clock::now();
        count = db ? int(db->components.size()) : -1;
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::printf("database of %d components read in %.1f ms (best of %d)\n", count, best, runs);
    return 0;
}
