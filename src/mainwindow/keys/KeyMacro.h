#pragma once
// TKeyMacro: records the keyboard input that the focused editor receives and plays it back later;
// recordings are saved to and loaded from "*.kmc" text files.
//
// States: 0 no macro, 1 recording, 2 macro ready, 3 playing. The key router hands every key, character
// and input-method character to Record before it dispatches it; only what arrives while recording for a
// control is kept. Playback feeds each record, with the modifiers that were down when it was recorded,
// back through the router (a recorded shortcut runs its command again).
//
// An input-method commit arrives here apart from the key events and is recorded as one record per
// character; no character message follows it, so nothing has to be skipped after it.
//
// The ".kmc" format: one line per record, ended by CR LF, in CP932:
//   CN_KEYDOWN: 48384, CharCode: 65, KeyData: 1966081, Shift: 0, Ctrl: 0, Alt: 0
//   CN_CHAR: 48386, CharCode: 97, KeyData: 1966081, Shift: 0, Ctrl: 0, Alt: 0 // a
// Every record but a key press ends with " // " and its character ("#" and the code for a control
// character). The reader takes the first six numbers of each line that has any, before the comment.

#include "platform/KeyInput.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {


// Message numbers of the records.
inline constexpr std::int32_t WM_IME_CHAR = 646;
inline constexpr std::int32_t CN_KEYDOWN = 48384;
inline constexpr std::int32_t CN_CHAR = 48386;

// Key states as recorded: 0x80 set = down.
inline constexpr std::uint8_t KeyStateDown = 0x80;

struct TKeyMacroData {
    std::int32_t Msg = 0;
    std::uint16_t CharCode = 0;
    std::int32_t KeyData = 0;
    std::uint8_t Shift = 0;
    std::uint8_t Ctrl = 0;
    std::uint8_t Alt = 0;

    bool operator==(const TKeyMacroData&) const = default;
};

enum class TKeyMacroState : std::uint8_t { Empty = 0, Recording = 1, Ready = 2, Playing = 3 };

class TKeyMacro {
public:
    TKeyMacro() = default;
    TKeyMacro(const TKeyMacro&) = delete;
    TKeyMacro& operator=(const TKeyMacro&) = delete;

    std::string Name = "KeyMacro";
    // Whether an interrupted playback or a failed load shows a message (through Prompter).
    bool ShowDialog = false;
    TPrompter* Prompter = nullptr;
    // Where playback goes: the key router.
    TKeyInput* Input = nullptr;
    // Fired after every change of State.
    std::function<void()> OnChange;

    // The control keys are recorded for and played into (the focused editor). Setting another control
    // while recording goes on recording for it; setting none while recording cancels the recording.
    TKeyTarget* Control() const { return FControl; }
    void SetControl(TKeyTarget* control);
    // The control is gone: forget it without touching the state (a playback stops at the next record).
    void ControlDestroyed(TKeyTarget* control);

    TKeyMacroState State() const { return FState; }
    const std::vector<TKeyMacroData>& Records() const { return FRecords; }

    // Called by the router for every input before it is dispatched; kept only while recording for a
    // control. A key is recorded around its dispatch (which answers whether a command took it): when
    // the command it runs stops the recording, the key belongs to that command, not to the macro.
    bool RecordKey(TShortCut key, std::int32_t keyData, const std::function<bool()>& dispatch);
    void RecordChar(std::uint16_t charCode, TShortCut modifiers);
    void RecordImeText(const std::string& text, TShortCut modifiers);

    // Only with a control, in state 0 or 2: the old macro is dropped and recording starts.
    void StartRecord();
    // Only while recording. The keys that stopped it are dropped from the end of the recording: the
    // key under way (when a key ran the stop) and the lone Shift, Ctrl and Alt presses before it, or
    // before the menu that ran the stop.
    void StopRecord();
    void CancelRecord();
    // Only in state 2, with a control and at least one record.
    void Play();
    // Only while playing: the playback ends after the record under way.
    void StopPlay();
    // Stops whatever runs and drops the macro.
    void Clear();

    // The ".kmc" text of the records, and back. ReadRecords leaves state 2 (also for an empty text);
    // on bad data it returns false and keeps the macro there was.
    std::string WriteRecords() const;
    bool ReadRecords(const std::string& bytes);
    // Through the safe write; raises EInOutError when the file cannot be written.
    void SaveToFile(const std::string& path) const;
    // Raises EFOpenError when the file is missing or cannot be read; false on bad data.
    bool LoadFromFile(const std::string& path);

private:
    void SetState(TKeyMacroState state);
    bool Append(std::int32_t msg, std::uint16_t charCode, std::int32_t keyData, TShortCut modifiers);
    void PlayRecord(const TKeyMacroData& record);
    void Report(const std::string& text, TMsgDlgType kind) const;

    TKeyTarget* FControl = nullptr;
    TKeyMacroState FState = TKeyMacroState::Empty;
    std::vector<TKeyMacroData> FRecords;
    // The record of the key being dispatched, while it is the last one.
    bool FKeyUnderWay = false;
};

} // namespace qx
