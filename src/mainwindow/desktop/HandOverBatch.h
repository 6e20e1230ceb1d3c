#pragma once
// The records a second start hands to the running copy, as one batch on a local socket: "QXH1", the
// record count, then per record its tag, its length and its bytes (numbers as 32-bit little-endian).
// The bytes come from another process: the count and each record's size are capped, a batch is taken
// only when it arrived whole, and the receiver (TSingleInstance) caps what it holds and how long it waits.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
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

// Reads one batch as its bytes arrive. Each byte is looked at once: the numbers go into a small head,
// the text of a record straight into the record's own string, made at its announced size. The reader
// asks where the next bytes go (Wanted), puts at most that many there and says how many (Took), so a
// socket reads into the records themselves; Feed does the same from bytes in memory.
class THandOverDecoder {
public:
    enum class TState { NeedMore, Bad, Done };

    std::span<char> Wanted();
    TState Took(std::size_t Count);
    // Takes what the batch needs from the front of Bytes; returns how many bytes it took.
    std::size_t Feed(std::string_view Bytes);

    TState State() const { return FState; }
    // The records read so far (all of them when Done).
    const std::vector<THandOverRecord>& Records() const { return FRecords; }
    std::vector<THandOverRecord> TakeRecords() { return std::move(FRecords); }
    // The bytes held for the records (their texts at their announced sizes).
    std::size_t HeldBytes() const { return FHeld; }

private:
    void HeadDone();
    void NextRecord();

    TState FState = TState::NeedMore;
    bool FInText = false;        // filling a record's text, else a head of 8 bytes
    bool FBatchHead = true;      // the head is the batch's (magic and count), else a record's (tag and size)
    char FHead[8] = {};
    std::size_t FFill = 0;       // bytes of the head or the text filled so far
    std::uint32_t FCount = 0;    // records the batch announced
    std::size_t FHeld = 0;
    std::vector<THandOverRecord> FRecords;
};

// The socket name of a program folder: one per folder, so that copies run from different folders (and
// test runs) never meet.
std::string HandOverSocketName(const std::string& ProgramFolder);

} // namespace qx
