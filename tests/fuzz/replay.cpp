// Feeds every file of the fuzz corpus through its target's entry function, so the ordinary build
// guards every input that once crashed or hung a fuzz target.
// Usage: fuzz_replay CORPUS_DIR (with one folder per target)

#include "FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_replay CORPUS_DIR\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    int status = 0;
    for (const zandrel::fuzz::Target& target : zandrel::fuzz::targets()) {
        const QDir folder(corpus.filePath(QString::fromLatin1(target.name)));
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        if (files.isEmpty()) {
            std::fprintf(stderr, "%s: no corpus files in %s\n", target.name, qPrintable(folder.path()));
            status = 1;
            continue;
        }
        for (const QString& name : files) {
            QFile file(folder.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s: cannot read %s\n", target.name, qPrintable(name));
                status = 1;
                continue;
            }
            const QByteArray input = file.readAll();
            target.run(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
        }
        std::printf("%s: %lld inputs replayed\n", target.name, static_cast<long long>(files.size()));
    }
    return status;
}
