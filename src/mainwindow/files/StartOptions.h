#pragma once
// The command-line grammar shared by the first copy and the hand-over receiver: per file an optional
// "/R", an optional "/RL", an optional "/J" n, an optional "/JL" n, then the file name (options in any
// case). The receiver takes the records of a second start one at a time and says when a file is ready.

#include <optional>
#include <string>
#include <vector>

namespace qx {

struct TOpenRequest {
    std::string ReadOption;  // "", "/R" or "/RL"
    std::string JumpOption;  // "", "/J" or "/JL"
    std::string JumpValue;   // the number as given
    std::string FileName;
    bool operator==(const TOpenRequest&) const = default;
};

// The groups of a first copy's arguments (without the program path); nothing on a bad sequence.
std::optional<std::vector<TOpenRequest>> ParseCommandLine(const std::vector<std::string>& Args);

// A jump value read as a decimal integer; 0 when it is not one.
int JumpNumber(const std::string& Value);

// A relative Name ("a.txt", "sub/a.txt", "../a.txt") joined to Folder; an absolute one as it is.
std::string JoinToFolder(const std::string& Name, const std::string& Folder);

// The arguments of a start as it hands them to the running copy: each file name joined to Folder, the
// sender's folder, so that the receiver reads the very file the user named. A sequence the grammar
// refuses goes as it is (the receiver says so).
std::vector<std::string> AbsoluteFileArguments(const std::vector<std::string>& Args, const std::string& Folder);

// Tags of the hand-over records.
inline constexpr int HandOverProgramTag = 0;
inline constexpr int HandOverFolderTag = 255;

class THandOverReceiver {
public:
    enum class TStep { None, BadOption, Open };
    // One record of a sender. Open: Request() holds a file to open (its name joined to the sender's
    // folder); BadOption: the option was refused and the collection starts again.
    TStep Feed(int Tag, const std::string& Text);
    const TOpenRequest& Request() const { return FPending; }
    const std::string& Directory() const { return FDirectory; }

private:
    bool FActive = false;
    TOpenRequest FPending;
    std::string FDirectory;
};

} // namespace qx
