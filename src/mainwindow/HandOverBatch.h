#pragma once
// The records a second start hands to the running copy, as one batch on a local socket: "QXH1", the
// record count, then per record its tag, its length and its bytes (numbers as 32-bit little-endian).
// The bytes come from another process: the count and each record's size are capped, and a batch is
// taken only when it arrived whole.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx {

struct THandOverRecord {
    int Tag = 0;  // 0 program path, 255 the sender's current folder, 1..n argument n
    std::string Text;
    bool operator==(const THandOverRecord&) const = default;
};

inline constexpr std::uint32_t MaxHandOverRecords = 1024;
inline constexpr std::uint32_t MaxHandOverRecordBytes = 64 * 1024;
// The byte the receiver answers a whole batch with.
inline constexpr char HandOverAck = 0x06;
// The byte the receiver greets a sender with when it takes the connection: only then is the batch sent,
// so a start that gives up on a busy copy leaves nothing behind for it to open later.
inline constexpr char HandOverReady = 0x16;

// The batch of a start: program path, current folder, then the arguments, file names made absolute.
std::vector<THandOverRecord> HandOverRecords(const std::string& Program, const std::string& Folder,
                                             const std::vector<std::string>& Args);

std::string EncodeHandOverBatch(const std::vector<THandOverRecord>& Records);

struct THandOverDecode {
    enum class TState { NeedMore, Bad, Done } State = TState::NeedMore;
    std::vector<THandOverRecord> Records;
    size_t Consumed = 0;  // bytes of the batch when Done
};
// Reads a batch from the front of Bytes.
THandOverDecode DecodeHandOverBatch(const std::string& Bytes);

// The socket name of a program folder: one per folder, so that copies run from different folders (and
// test runs) never meet.
std::string HandOverSocketName(const std::string& ProgramFolder);

} // namespace qx
