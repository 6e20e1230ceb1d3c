// Throughput of the detectors over the whole of the generated Japanese text (its Shift-JIS file named by
// QX_CHARCODES_INPUT) and over the inputs where nothing decides early. The converters are timed as whole
// processes against nkf and iconv by bench-charcodes.sh.
//   QX_CHARCODES_INPUT=ja.sjis qx_charcodes_bench

#include "documents/CharCodeConvert.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

struct TInputs {
    std::string Sjis, Euc, Utf8, Ascii, Undecided;

    TInputs()
    {
        const char* path = std::getenv("QX_CHARCODES_INPUT");
        if (!path) throw std::runtime_error("set QX_CHARCODES_INPUT to the Shift-JIS text");
        std::ifstream in(path, std::ios::binary);
        Sjis.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        Euc = qx::SjisToEuc(Sjis);
        Utf8 = qx::WideToUtf8(qx::Cp932ToUtf16(Sjis));
        Ascii.assign(Sjis.size(), 'a');  // the detector's worst case: nothing decides, every byte is read
        for (std::size_t i = 79; i < Ascii.size(); i += 80) Ascii[i] = '\n';
        // The worst case with high bytes: hiragana that EUC and Shift-JIS share, so nothing decides.
        while (Undecided.size() < Sjis.size()) {
            for (int i = 0; i < 40; ++i) Undecided += {'\xA4', static_cast<char>(0xA1 + (Undecided.size() / 2) % 63)};
            Undecided += "\r\n";
        }
    }
};

const TInputs& Inputs()
{
    static const TInputs inputs;
    return inputs;
}

template <class F>
void Run(benchmark::State& state, const std::string& text, F f)
{
    for (auto _ : state) benchmark::DoNotOptimize(f(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_DetectCharCode_Sjis(benchmark::State& s) { Run(s, Inputs().Sjis, qx::DetectCharCode); }
void BM_DetectCharCode_Euc(benchmark::State& s) { Run(s, Inputs().Euc, qx::DetectCharCode); }
void BM_DetectCharCode_Ascii(benchmark::State& s) { Run(s, Inputs().Ascii, qx::DetectCharCode); }
void BM_DetectCharCode_Undecided(benchmark::State& s) { Run(s, Inputs().Undecided, qx::DetectCharCode); }
void BM_DetectUtf8_Utf8(benchmark::State& s) { Run(s, Inputs().Utf8, qx::DetectUtf8); }
void BM_DetectUtf8_Ascii(benchmark::State& s) { Run(s, Inputs().Ascii, qx::DetectUtf8); }
} // namespace

BENCHMARK(BM_DetectCharCode_Sjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCharCode_Euc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCharCode_Ascii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectCharCode_Undecided)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectUtf8_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectUtf8_Ascii)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
