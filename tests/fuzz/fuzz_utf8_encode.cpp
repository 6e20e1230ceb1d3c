// The UTF-8 encoder on any UTF-16 units: the decoder gives them back, the detector takes the result,
// and a short destination gets whole characters and its NUL only.
#include "FuzzCheck.h"
#include "documents/UnicodeCoding.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    const std::u16string units = fuzz::Units(data, size);
    const std::string bytes = WideToUtf8(units);
    QX_FUZZ_CHECK(Utf8ToWide(bytes) == units);
    bool ascii = true;
    for (char16_t u : units) ascii = ascii && u < 0x80;
    QX_FUZZ_CHECK(DetectUtf8(bytes) != 0 || ascii);

    for (std::size_t room = 0; room <= 8; ++room) {
        const std::unique_ptr<char[]> dest(new char[room]);  // never null, exactly `room` bytes
        const std::ptrdiff_t written = EncodeUtf8Buffer(dest.get(), room, units.data(), units.size());
        QX_FUZZ_CHECK(written >= 0 && static_cast<std::size_t>(written) <= room);
        if (written > 0) {
            QX_FUZZ_CHECK(dest[written - 1] == '\0');
            QX_FUZZ_CHECK(bytes.compare(0, written - 1, dest.get(), written - 1) == 0);
            QX_FUZZ_CHECK(static_cast<std::size_t>(written - 1) == bytes.size() ||
                          DecodeUtf8Buffer(nullptr, 0, dest.get(), written - 1) >= 0);
        }
    }
    return 0;
}
