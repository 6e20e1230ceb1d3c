#include "dialogs/Signatures.h"

#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "platform/TextListFile.h"

namespace qx {

namespace {

void CheckSignature(int N)
{
    if (N < 1 || N > SignatureCount) throw EListError("There is no signature " + std::to_string(N) + ".");
}

} // namespace

std::string SignatureFileName(const std::string& folder, int N)
{
    CheckSignature(N);
    return folder + "Sign" + std::to_string(N) + ".txt";
}

std::string SignatureDefaultText(int N)
{
    CheckSignature(N);
    return Utf8ToCp932("署名 " + std::to_string(N) + " の設定を行ってください");
}

TStringList LoadSignature(const std::string& folder, int N)
{
    const std::string name = SignatureFileName(folder, N);
    TStringList lines;
    if (!LoadTextList(name, lines)) {
        lines.SetText(SignatureDefaultText(N));
        SaveTextList(name, lines);
    }
    return lines;
}

void SaveSignature(const std::string& folder, int N, const TStringList& Lines)
{
    SaveTextList(SignatureFileName(folder, N), Lines);
}

} // namespace qx
