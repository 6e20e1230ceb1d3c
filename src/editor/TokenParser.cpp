#include "editor/TokenParser.h"

#include "platform/Component.h"

#include <memory>

namespace qx {

TTokenParser::TTokenParser() : TFountainParser(PlainFountain()) {}

TFountain* TTokenParser::PlainFountain()
{
    static const std::unique_ptr<TFountain> plain = Construct<TFountain>();
    return plain.get();
}

} // namespace qx
