#pragma once
// A prompter for tests: records every request and answers from a script. A box whose only button is OK
// answers OK without a scripted answer; any other question takes the next one (an unscripted question
// fails the test and answers Cancel, as the close box would).

#include "platform/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace qx::test {

class ScriptedMessagePrompter : public TPrompter {
public:
    int Show(const TPromptRequest& request) override
    {
        Requests.push_back(request);
        if (request.Buttons == TMsgDlgButtons{TMsgDlgBtn::mbOK} && (Answers.empty() || !ScriptOkBoxes))
            return mr::Ok;
        if (Answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << request.Text;
            return CloseBoxResult;
        }
        const int answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override
    {
        Inputs.push_back({caption, prompt, value});
        if (InputAnswers.empty()) {
            ADD_FAILURE() << "unscripted input box: " << prompt;
            return false;
        }
        const auto answer = InputAnswers.front();
        InputAnswers.pop_front();
        if (!answer.first) return false;
        value = answer.second;
        return true;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const TPromptRequest& r : Requests) texts.push_back(r.Text);
        return texts;
    }

    struct Input {
        std::string Caption, Prompt, Initial;
    };

    std::vector<TPromptRequest> Requests;
    std::deque<int> Answers;                                // modal results, in order
    std::deque<std::pair<bool, std::string>> InputAnswers;  // (OK?, text)
    std::vector<Input> Inputs;
    bool ScriptOkBoxes = false;  // when true, OK-only boxes also take scripted answers
};

} // namespace qx::test
