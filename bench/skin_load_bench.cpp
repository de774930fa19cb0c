// Loading the stored skin from its bytes, beside a bare inflate of the same
// zlib stream: the load should cost at most 1.5 times the inflate, i.e. the
// parsing, key snapping and object building stay cheap next to decompression.
//
//   cmake -S . -B build-bench -DCORVANE_BENCH=ON && cmake --build build-bench --target skin_load_bench
//   build-bench/bench/skin_load_bench
#include "skin/stream/SkinFilter.h"
#include "skin/writer/SkinFileWriter.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include "spread.h"

using namespace corvane::skin;

namespace {

const QByteArray& storedSkin()
{
    static const QByteArray bytes = [] {
        QFile file(QStringLiteral(CORVANE_STORED_SKIN));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

void BM_LoadStoredSkin(benchmark::State& state)
{
    const QByteArray& stream = storedSkin();
    for (auto _ : state) {
        SkinSource source;
        readSkinStream(stream, source);
        benchmark::DoNotOptimize(source.objectCount());
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_LoadStoredSkin)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

void BM_InflateStoredSkinOnly(benchmark::State& state)
{
    const QByteArray& stream = storedSkin();
    // Presence byte and magic skipped, as the loader does.
    const auto* in = reinterpret_cast<const Bytef*>(stream.constData() + 5);
    const uInt inSize = uInt(stream.size() - 5);
    QByteArray out(1 << 20, '\0');
    for (auto _ : state) {
        z_stream z{};
        inflateInit(&z);
        z.next_in = const_cast<Bytef*>(in);
        z.avail_in = inSize;
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = uInt(out.size());
        const int rc = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        benchmark::DoNotOptimize(rc);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_InflateStoredSkinOnly)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

// For reading the figures: the same body parsed from memory, without zlib.
void BM_ParseOnly(benchmark::State& state)
{
    SkinSource source;
    readSkinStream(storedSkin(), source);
    const QByteArray body = writePlainBody(source);
    for (auto _ : state) {
        SkinSource loaded;
        readSkin(*skinFilters()[0], body.constData(), body.size(), loaded);
        benchmark::DoNotOptimize(loaded.objectCount());
    }
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMicrosecond)->Apply(corvane::bench::addSpread);

} // namespace
