// The entry point of a fuzz target built without libFuzzer: runs every file named on the
// command line (or found in a folder named there) through the target once, so that the seed
// corpus and the reproducers are replayed by any compiler's test run. Options starting with
// "-" are libFuzzer's and are ignored here.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
// Defined by the targets that set something up first (the build tells which).
#ifdef PALVEX_FUZZ_INITIALIZE
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
#endif

int main(int argc, char **argv)
{
#ifdef PALVEX_FUZZ_INITIALIZE
    LLVMFuzzerInitialize(&argc, &argv);
#endif
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QFile::decodeName(argv[i]);
        if (arg.startsWith(u'-'))
            continue;
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << arg;
        }
    }
    std::sort(files.begin(), files.end());
    for (const QString &name : files) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QByteArray bytes = f.readAll();
        std::fprintf(stderr, "Running: %s\n", qPrintable(name));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    std::fprintf(stderr, "Replayed %d inputs\n", int(files.size()));
    return 0;
}
