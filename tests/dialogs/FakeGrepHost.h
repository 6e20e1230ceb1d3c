#pragma once
// The main window as the grep dialog sees it: result documents on hosted document editors, a scripted
// prompter, and a hook for the poll of the running grep.

#include "dialogs/GrepDialog.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "support/ScriptedPrompter.h"

#include <functional>
#include <memory>
#include <vector>

namespace qx::test {

class FakeGrepHost : public TGrepHost {
public:
    ScriptedMessagePrompter Prompts;
    std::vector<std::unique_ptr<HostedEditor>> Docs;
    std::vector<std::string> Names;
    int Beeps = 0;
    int Done = 0;
    std::function<void()> OnPoll;

    TEditor* NewResultDocument(const std::string& Name) override
    {
        Docs.push_back(std::make_unique<HostedEditor>(Construct<TQxEditor>()));
        Names.push_back(Name);
        return Docs.back()->Editor.get();
    }
    void ResultDocumentDone(TEditor&) override { ++Done; }
    TPrompter& Prompter() override { return Prompts; }
    void Beep() override { ++Beeps; }
    void ProcessMessages() override
    {
        if (OnPoll) OnPoll();
    }
    std::string Text(std::size_t I = 0) { return Docs.at(I)->Editor->Lines().Text(); }
};

} // namespace qx::test
