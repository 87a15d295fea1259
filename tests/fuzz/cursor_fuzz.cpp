// The .cur reader: a cursor it accepts has the pixels its size says and a
// hot spot that a pointer can stand on.

#include <vector>

#include "fuzz_support.h"
#include "platform/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    platform::DecodedCursor cursor;
    if (!platform::decodeCursorFile(bytes, cursor)) return 0;
    fuzzCheck(cursor.width > 0 && cursor.height > 0 && cursor.width <= 256 && cursor.height <= 256);
    fuzzCheck(cursor.pixels.size() == std::size_t(cursor.width) * std::size_t(cursor.height));
    fuzzCheck(cursor.hotX >= 0 && cursor.hotX < cursor.width && cursor.hotY >= 0 && cursor.hotY < cursor.height);
    return 0;
}
