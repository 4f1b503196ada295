// The XML inside a workbook, without the fuzzer having to build archives: the input is the
// first worksheet, or the shared strings, a NUL byte and the worksheet. It is packed into a
// workbook (stored, not compressed) and read as a file would be.

#include "DatabaseCheck.h"

#include <zip.h>

namespace {

QByteArray pack(const QByteArray &sheet, const QByteArray *shared)
{
    zip_error_t e;
    zip_error_init(&e);
    zip_source_t *memory = zip_source_buffer_create(nullptr, 0, 0, &e);
    zip_t *z = memory ? zip_open_from_source(memory, ZIP_TRUNCATE, &e) : nullptr;
    zip_error_fini(&e);
    if (!z) {
        if (memory)
            zip_source_free(memory);
        return {};
    }
    zip_source_keep(memory);
    static const QByteArray workbook = "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    static const QByteArray rels = "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    QList<std::pair<const char *, const QByteArray *>> parts{
        {"xl/workbook.xml", &workbook}, {"xl/_rels/workbook.xml.rels", &rels}, {"xl/worksheets/sheet1.xml", &sheet}};
    if (shared)
        parts.append({"xl/sharedStrings.xml", shared});
    for (const auto &[name, bytes] : parts) {
        zip_source_t *src = zip_source_buffer(z, bytes->constData(), zip_uint64_t(bytes->size()), 0);
        const zip_int64_t index = src ? zip_file_add(z, name, src, ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (src)
                zip_source_free(src);
            zip_discard(z);
            zip_source_free(memory);
            return {};
        }
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    QByteArray archive;
    zip_stat_t st;
    if (zip_close(z) == 0 && zip_source_stat(memory, &st) == 0 && zip_source_open(memory) == 0) {
        archive.resize(qsizetype(st.size));
        if (zip_source_read(memory, archive.data(), st.size) != zip_int64_t(st.size))
            archive.clear();
        zip_source_close(memory);
    } else {
        zip_discard(z);
    }
    zip_source_free(memory);
    return archive;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz::bytes(data, size);
    const qsizetype nul = input.indexOf('\0');
    const QByteArray shared = nul < 0 ? QByteArray() : input.left(nul);
    const QByteArray sheet = nul < 0 ? input : input.mid(nul + 1);
    const QByteArray book = pack(sheet, nul < 0 ? nullptr : &shared);
    Fuzz::require(!book.isEmpty(), "the workbook is packed");
    QString error;
    QStringList warnings;
    auto db = ReadComponentDatabaseBytes(book, QStringLiteral("fuzz.xlsx"), DatabaseSettings{1, 2, 6, 2, 1, 8}, &error, &warnings);
    if (!db) {
        Fuzz::require(error.contains(QStringLiteral("fuzz.xlsx")), "a refused workbook gets a message naming it");
        return 0;
    }
    Fuzz::checkDatabase(std::move(*db));
    return 0;
}
