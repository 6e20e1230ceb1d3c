#pragma once
// A canvas for the editing control's tests: it records every call, so that tests check what is drawn
// where and in which colours (never glyph shapes).

#include "editor/EditorCanvas.h"

#include <string>
#include <vector>

namespace qx::test {

struct CanvasCall {
    enum Kind { Fill, Text, Line, DotLine, Glyph } What;
    TRect Rect;           // Fill: the rectangle; Text: the clip
    int X = 0, Y = 0;     // Text: the first cell; Line: the start; Glyph: the corner
    int X2 = 0, Y2 = 0;   // Line: the end
    unsigned Options = 0; // Text
    std::string Bytes;    // Text
    TTextStyle Style;     // Text
    TColor Color = 0;     // Fill, Line, Glyph; Text: the font colour
    TRect ClipAt;         // the clip pushed when the call was made (empty: none)
};

class RecordingCanvas : public TEditorCanvas {
public:
    std::vector<CanvasCall> Calls;

    void FillRect(const TRect& R, TColor Color) override
    {
        CanvasCall c{CanvasCall::Fill};
        c.Rect = R;
        c.Color = Color;
        Add(c);
    }
    void TextRun(const TRect& Clip, int X, int Y, unsigned Options, std::string_view Text,
                 const TTextStyle& Style) override
    {
        CanvasCall c{CanvasCall::Text};
        c.Rect = Clip;
        c.X = X;
        c.Y = Y;
        c.Options = Options;
        c.Bytes = std::string(Text);
        c.Style = Style;
        c.Color = Style.Font.Color;
        Add(c);
    }
    void Line(int X1, int Y1, int X2, int Y2, TColor Color) override
    {
        CanvasCall c{CanvasCall::Line};
        c.X = X1;
        c.Y = Y1;
        c.X2 = X2;
        c.Y2 = Y2;
        c.Color = Color;
        Add(c);
    }
    void DotLine(int X1, int Y, int X2, TColor Bk, TColor Dot) override
    {
        CanvasCall c{CanvasCall::DotLine};
        c.X = X1;
        c.Y = Y;
        c.X2 = X2;
        c.Color = Dot;
        c.Style.Background = Bk;
        Add(c);
    }
    void DrawGlyph(int X, int Y, const TGlyph& G, TColor Color) override
    {
        CanvasCall c{CanvasCall::Glyph};
        c.X = X;
        c.Y = Y;
        c.Rect = {X, Y, X + G.Width, Y + G.Height};
        c.Color = Color;
        Add(c);
    }
    void PushClip(const TRect& R) override { FClips.push_back(R); }
    void PopClip() override { FClips.pop_back(); }

    // The text runs whose bytes contain Bytes.
    std::vector<CanvasCall> TextsWith(std::string_view Bytes) const
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& c : Calls)
            if (c.What == CanvasCall::Text && c.Bytes.find(Bytes) != std::string::npos) out.push_back(c);
        return out;
    }
    std::vector<CanvasCall> Of(CanvasCall::Kind Kind) const
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& c : Calls)
            if (c.What == Kind) out.push_back(c);
        return out;
    }
    void Clear() { Calls.clear(); }

private:
    void Add(CanvasCall c)
    {
        if (!FClips.empty()) c.ClipAt = FClips.back();
        Calls.push_back(std::move(c));
    }
    std::vector<TRect> FClips;
};

} // namespace qx::test
