#pragma once
// The outside reference of the editing control's benchmarks: Qt's own QPlainTextEdit in a window of
// the same size and font, holding the first lines of the same Shift-JIS text (it needs minutes and
// gigabytes for all two million).

#include "editor/EditorCanvas.h"
#include "editor/qt/FontResolver.h"
#include "platform/Cp932.h"

#include <QPlainTextEdit>

#include <fstream>
#include <memory>
#include <string>

namespace qx::bench {

inline std::unique_ptr<QPlainTextEdit> MakeReferenceEditor(const std::string& File, int Lines, const TFontSpec& Font)
{
    auto reference = std::make_unique<QPlainTextEdit>();
    reference->resize(1280, 900);
    reference->setFont(TFontResolver().Resolve(Font).Font);
    reference->setLineWrapMode(QPlainTextEdit::NoWrap);
    std::ifstream in(File, std::ios::binary);
    std::string line, text;
    for (int i = 0; i < Lines && std::getline(in, line); ++i) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line;
        text += '\n';
    }
    reference->setPlainText(QString::fromStdString(Cp932ToUtf8(text)));
    return reference;
}

} // namespace qx::bench
