#include "mainwindow/HandOverBatch.h"

#include "mainwindow/StartOptions.h"

#include <algorithm>
#include <cstdio>

namespace qx {

namespace {

constexpr char Magic[4] = {'Q', 'X', 'H', '1'};

void PutU32(std::string& Out, std::uint32_t V)
{
    for (int i = 0; i < 4; ++i) Out += static_cast<char>((V >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const std::string& In, size_t At)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(In[At + i])) << (8 * i);
    return v;
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

THandOverDecode DecodeHandOverBatch(const std::string& Bytes)
{
    THandOverDecode result;
    const size_t have = std::min<size_t>(Bytes.size(), 4);
    if (Bytes.compare(0, have, Magic, have) != 0) return {THandOverDecode::TState::Bad, {}, 0};
    if (Bytes.size() < 8) return result;
    const std::uint32_t count = GetU32(Bytes, 4);
    if (count > MaxHandOverRecords) return {THandOverDecode::TState::Bad, {}, 0};
    size_t at = 8;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (Bytes.size() < at + 8) return {};
        const std::uint32_t tag = GetU32(Bytes, at);
        const std::uint32_t size = GetU32(Bytes, at + 4);
        if (tag > MaxHandOverRecords + 1 || size > MaxHandOverRecordBytes) return {THandOverDecode::TState::Bad, {}, 0};
        if (Bytes.size() < at + 8 + size) return {};
        result.Records.push_back({static_cast<int>(tag), Bytes.substr(at + 8, size)});
        at += 8 + size;
    }
    result.State = THandOverDecode::TState::Done;
    result.Consumed = at;
    return result;
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
