#include "mainwindow/files/StartOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qx {

namespace {

std::string Upper(std::string S)
{
    std::transform(S.begin(), S.end(), S.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return S;
}

} // namespace

std::optional<std::vector<TOpenRequest>> ParseCommandLine(const std::vector<std::string>& Args)
{
    std::vector<TOpenRequest> groups;
    const size_t n = Args.size();
    size_t i = 0;
    auto is = [&](const char* option) { return i < n && Upper(Args[i]) == option; };
    while (i < n) {
        TOpenRequest group;
        if (is("/R")) group.ReadOption = "/R", ++i;
        if (is("/RL")) group.ReadOption = "/RL", ++i;
        for (const char* jump : {"/J", "/JL"}) {
            if (!is(jump)) continue;
            if (i + 2 >= n) return std::nullopt;  // the value and a file must follow
            group.JumpOption = jump;
            group.JumpValue = Args[i + 1];
            i += 2;
        }
        if (i >= n) return std::nullopt;
        group.FileName = Args[i++];
        groups.push_back(std::move(group));
    }
    return groups;
}

int JumpNumber(const std::string& Value)
{
    int number = 0;
    const char* end = Value.data() + Value.size();
    const auto [ptr, ec] = std::from_chars(Value.data(), end, number);
    return ec == std::errc() && ptr == end ? number : 0;
}

std::string JoinToFolder(const std::string& Name, const std::string& Folder)
{
    if (Name.empty() || Name.front() == '/' || Folder.empty()) return Name;
    return Folder.back() == '/' ? Folder + Name : Folder + "/" + Name;
}

std::vector<std::string> AbsoluteFileArguments(const std::vector<std::string>& Args, const std::string& Folder)
{
    const auto groups = ParseCommandLine(Args);
    if (!groups) return Args;
    std::vector<std::string> out;
    for (const TOpenRequest& group : *groups) {
        for (const std::string* option : {&group.ReadOption, &group.JumpOption})
            if (!option->empty()) out.push_back(*option);
        if (!group.JumpOption.empty()) out.push_back(group.JumpValue);
        out.push_back(JoinToFolder(group.FileName, Folder));
    }
    return out;
}

THandOverReceiver::TStep THandOverReceiver::Feed(int Tag, const std::string& Text)
{
    if (Tag == HandOverProgramTag || !FActive) {
        FPending = {};
        FActive = true;
    }
    if (Tag == HandOverFolderTag) {
        FDirectory = Text;
        return TStep::None;
    }
    if (Tag == HandOverProgramTag) return TStep::None;
    const std::string upper = Upper(Text);
    auto option = [&](std::string& slot, bool refused) {
        if (refused) {
            FActive = false;
            return TStep::BadOption;
        }
        slot = upper;
        return TStep::None;
    };
    if (upper == "/R" || upper == "/RL") return option(FPending.ReadOption, !FPending.JumpOption.empty());
    if (upper == "/J" || upper == "/JL") return option(FPending.JumpOption, !FPending.JumpOption.empty());
    if (!FPending.JumpOption.empty() && FPending.JumpValue.empty()) {
        FPending.JumpValue = Text;
        return TStep::None;
    }
    FPending.FileName = JoinToFolder(Text, FDirectory);
    FActive = false;
    return FPending.FileName.empty() ? TStep::None : TStep::Open;
}

} // namespace qx
