// Runs a fuzz target over the files of its seed folders (or single files), for
// builds without libFuzzer: every seed must pass the target's checks.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        QStringList files;
        if (info.isDir()) {
            for (const QString& name : QDir(info.filePath()).entryList(QDir::Files, QDir::Name))
                files << info.filePath() + QLatin1Char('/') + name;
        } else {
            files << info.filePath();
        }
        for (const QString& path : files) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
            ++runs;
        }
    }
    std::printf("%d seeds replayed\n", runs);
    return runs > 0 ? 0 : 1;
}
