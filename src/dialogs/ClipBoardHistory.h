#pragma once
// The clipboard history: the texts that passed through the clipboard, newest first, each with a short
// head for lists. Texts are CP932 bytes. The history does not watch the clipboard itself: a feeder
// (the Qt one listens to QClipboard::dataChanged) calls ClipboardChanged on every change.
//
// Recording needs both flags: `Disabled` reads as a permission ("capture allowed", the sense in which
// every caller sets it) and `CanUpdate` is raised by the copy commands and by the application's
// activation. OnClipChange fires on every change, recorded or not.

#include "platform/Component.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// One entry: the whole text and its head.
struct TClipRecord {
    std::string Text;
    std::string Head;
};

// The longest head, in bytes.
inline constexpr std::size_t kClipHeadLength = 128;

// The first kClipHeadLength bytes of `text`, cut before a double-byte character that would not fit.
std::string ClipHeadText(std::string_view text);

class TQxClipBoardHistory : public TComponent {
public:
    explicit TQxClipBoardHistory(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    int Count() const { return static_cast<int>(FList.size()); }
    // The entry's text and head; an index outside 0..Count-1 raises EListError.
    const std::string& GetText(int index) const;
    const std::string& GetHeadText(int index) const;

    void Clear();
    void Delete(int index);
    // Inserts a copy of `record` at `index` (0..Count).
    void Insert(int index, const TClipRecord& record);
    // Takes the entry at `from` out and puts it back at `to`, counted after the removal.
    void Move(int from, int to);

    // The sum of the lengths of all texts (kept as a running total).
    std::size_t TotalLength() const { return FTotalLength; }

    // The byte budget of all texts; values below 1 are ignored.
    int Buffers() const { return FBuffers; }
    void SetBuffers(int value);
    bool Disabled() const { return FDisabled; }
    void SetDisabled(bool value) { FDisabled = value; }
    bool CanUpdate() const { return FCanUpdate; }
    void SetCanUpdate(bool value) { FCanUpdate = value; }

    // A clipboard change: `text` is the clipboard's text (CP932) when it holds text. The flags are the
    // ones in force now. The oldest entries go until the new text fits the budget; a text over the
    // budget by itself still becomes the only entry.
    void ClipboardChanged(const std::optional<std::string>& text);

    // The program itself puts `text` on the clipboard from the history (the viewer's take-out): the change
    // notices that bring this text back, however late they come, are not recorded again; the first
    // notice of another text ends that.
    void ExpectOwnChange(std::string text) { FOwnChange = std::move(text); }

    TNotifyEvent OnClipChange;

private:
    void CheckIndex(int index, int limit) const;

    std::vector<TClipRecord> FList;  // index 0 the newest
    std::size_t FTotalLength = 0;
    int FBuffers = 100000;
    bool FDisabled = false;
    bool FCanUpdate = false;
    std::optional<std::string> FOwnChange;
};

} // namespace qx
