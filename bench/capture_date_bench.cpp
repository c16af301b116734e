// Capture dates of 10,000 JPEGs: the first read against a plain loop that
// reads each file's first 64 KiB, and a recomputation after a keystroke,
// once every date is kept, against one with the file date token.

#include "engine/name_engine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace namenswerk {
namespace {

constexpr int FileCount = 10000;

// A JPEG start with an Exif block holding DateTimeOriginal, then 60 KiB of "image".
QByteArray photo()
{
    QByteArray tiff("II\x2A\0\x08\0\0\0", 8);
    const auto u16 = [&](quint16 v) { tiff.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto u32 = [&](quint32 v) { u16(v & 0xFFFF), u16(v >> 16); };
    u16(1);
    u16(0x0132), u16(2), u32(20), u32(26);
    u32(0);
    tiff += QByteArray("2024:05:17 14:03:59", 20);
    QByteArray out("\xFF\xD8\xFF\xE1", 4);
    out.append(char((tiff.size() + 8) >> 8)).append(char((tiff.size() + 8) & 0xFF));
    out += QByteArray("Exif\0\0", 6) + tiff;
    out += QByteArray("\xFF\xDA", 2) + QByteArray(60 * 1024, 'x');
    return out;
}

struct Photos {
    QTemporaryDir dir;
    FileList list;
    Photos()
    {
        const QByteArray bytes = photo();
        list.currentFolder = dir.path() + u'/';
        for (int i = 0; i < FileCount; ++i) {
            const QString name = QStringLiteral("IMG_%1.jpg").arg(i);
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            file.close();
            list.addPathLine(name, true);
        }
    }
};

Photos &photos()
{
    static Photos shared;
    return shared;
}

void recompute(benchmark::State &state, const QString &templateText, bool keepDates)
{
    Photos &p = photos();
    NameEngine engine;
    RenameSettings settings;
    settings.regReplace = templateText;
    engine.setInputs(settings);
    engine.recomputeNames(p.list, settings);
    for (auto _ : state) {
        if (!keepDates) {
            engine.forgetFileContents();
        }
        engine.recomputeNames(p.list, settings);
    }
}

void BaselineRead64KiB(benchmark::State &state)
{
    Photos &p = photos();
    for (auto _ : state) {
        for (int i = 0; i < FileCount; ++i) {
            QFile file(p.list.fullPath(i));
            file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
            benchmark::DoNotOptimize(file.read(64 * 1024));
        }
    }
}

void FirstReadOfCaptureDates(benchmark::State &state)
{
    recompute(state, QStringLiteral("<a%yyyy-%mm-%dd>.<e>"), false);
}

void BaselineKeystrokeFileDate(benchmark::State &state)
{
    recompute(state, QStringLiteral("<d%yyyy-%mm-%dd>.<e>"), true);
}

void KeystrokeWithKeptCaptureDates(benchmark::State &state)
{
    recompute(state, QStringLiteral("<a%yyyy-%mm-%dd>.<e>"), true);
}

BENCHMARK(BaselineRead64KiB)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstReadOfCaptureDates)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineKeystrokeFileDate)->Unit(benchmark::kMillisecond);
BENCHMARK(KeystrokeWithKeptCaptureDates)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace namenswerk

BENCHMARK_MAIN();
