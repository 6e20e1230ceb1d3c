#pragma once
// An editor pane as the key router's target: key presses, typed characters and input-method commits go
// to the control's key, character and input-method entry points. It lives as a child of the pane's
// widget and tells the router when the pane goes, so that neither the router nor a key macro's
// playback keeps a dangling target.

#include "platform/KeyInput.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace qx {

class TEditor;
class TEditorWidget;

class TEditorKeyTarget : public QObject, public TKeyTarget {
public:
    // Gone(this) runs when the pane is destroyed.
    TEditorKeyTarget(TEditorWidget& Pane, std::function<void(TEditorKeyTarget*)> Gone);
    ~TEditorKeyTarget() override;

    void KeyDown(TShortCut key, std::int32_t keyData) override;
    void KeyChar(std::uint16_t charCode, TShortCut modifiers) override;
    void ImeText(const std::string& text, TShortCut modifiers) override;

    // The target of a pane (null when it has none).
    static TEditorKeyTarget* Of(TEditorWidget& Pane);

private:
    TEditor* Editor() const;

    QPointer<TEditorWidget> FPane;
    std::function<void(TEditorKeyTarget*)> FGone;
};

} // namespace qx
