#include "mainwindow/desktop/HandOverBatch.h"

#include "mainwindow/files/StartOptions.h"

#include <algorithm>
#include <cstdio>

namespace qx {

namespace {

constexpr char Magic[4] = {'Q', 'X', 'H', '1'};

void PutU32(std::string& Out, std::uint32_t V)
{
    for (int i = 0; i < 4; ++i) Out += static_cast<char>((V >> (8 * i)) & 0xFF);
}

} // namespace

std::vector<THandOverRecord> HandOverRecords(const std::string& Program, const std::string& Folder,
                                             const std::vector<std::string>& Args)
{
    std::vector<THandOverRecord> records{{0, Program}, {255, Folder}};
    // Argument tags count from 1 and step over the folder's tag, so the 255th argument stays an argument.
    const std::vector<std::string> sent = AbsoluteFileArguments(Args, Folder);
    for (size_t i = 0; i < sent.size(); ++i) {
        const int tag = static_cast<int>(i + 1);
        records.push_back({tag < HandOverFolderTag ? tag : tag + 1, sent[i]});
    }
    return records;
}

std::string EncodeHandOverBatch(const std::vector<THandOverRecord>& Records)
{
    std::string out(Magic, 4);
    PutU32(out, static_cast<std::uint32_t>(Records.size()));
    for (const THandOverRecord& r : Records) {
        PutU32(out, static_cast<std::uint32_t>(r.Tag));
        PutU32(out, static_cast<std::uint32_t>(r.Text.size()));
        out += r.Text;
    }
    return out;
}

std::span<char> THandOverDecoder::Wanted()
{
    if (FState != TState::NeedMore) return {};
    if (!FInText) return {FHead + FFill, sizeof FHead - FFill};
    std::string& text = FRecords.back().Text;
    return {text.data() + FFill, text.size() - FFill};
}

THandOverDecoder::TState THandOverDecoder::Took(std::size_t Count)
{
    const std::size_t wanted = Wanted().size();
    if (FState != TState::NeedMore || Count == 0 || Count > wanted) return FState;
    // The magic is checked as it arrives: a stranger's first bytes end the batch at once.
    if (!FInText && FBatchHead) {
        const std::size_t magic = std::min<std::size_t>(FFill + Count, 4);
        if (FFill < magic && std::string_view(FHead + FFill, magic - FFill) != std::string_view(Magic + FFill, magic - FFill))
            return FState = TState::Bad;
    }
    FFill += Count;
    if (Count < wanted) return FState;
    FFill = 0;
    if (FInText) NextRecord();
    else HeadDone();
    return FState;
}

void THandOverDecoder::HeadDone()
{
    const auto u32 = [this](int At) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(FHead[At + i])) << (8 * i);
        return v;
    };
    if (FBatchHead) {
        FBatchHead = false;
        FCount = u32(4);
        if (FCount > MaxHandOverRecords) {
            FState = TState::Bad;
            return;
        }
        FRecords.reserve(FCount);
        if (FCount == 0) FState = TState::Done;
        return;
    }
    const std::uint32_t tag = u32(0), size = u32(4);
    if (tag > MaxHandOverRecords + 1 || size > MaxHandOverRecordBytes) {
        FState = TState::Bad;
        return;
    }
    FRecords.push_back({static_cast<int>(tag), std::string(size, '\0')});
    FHeld += size;
    FInText = true;
    if (size == 0) NextRecord();
}

void THandOverDecoder::NextRecord()
{
    FInText = false;
    if (FRecords.size() == FCount) FState = TState::Done;
}

std::size_t THandOverDecoder::Feed(std::string_view Bytes)
{
    std::size_t used = 0;
    while (used < Bytes.size() && FState == TState::NeedMore) {
        const std::span<char> into = Wanted();
        const std::size_t n = std::min(into.size(), Bytes.size() - used);
        std::copy_n(Bytes.data() + used, n, into.data());
        used += n;
        if (Took(n) == TState::Bad) break;
    }
    return used;
}

std::string HandOverSocketName(const std::string& ProgramFolder)
{
    // FNV-1a: the same name in every build of the program.
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : ProgramFolder) h = (h ^ c) * 1099511628211ull;
    char name[40];
    std::snprintf(name, sizeof name, "QxEditor-%016llx", static_cast<unsigned long long>(h));
    return name;
}

} // namespace qx
