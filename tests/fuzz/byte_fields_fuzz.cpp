// The byte fields of the binary files, read in any order the input asks
// for: a reader never moves past its data, a failed reader stays failed and
// yields zeros, and what it read writes back as the same bytes.

#include <vector>

#include "config/byte_fields.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses how many of the following bytes are the
    // reading order; the rest is the file.
    const std::size_t orderLength = std::min<std::size_t>(data[0] % 32, size - 1);
    const std::uint8_t* order = data + 1;
    const std::uint8_t* file = order + orderLength;
    const std::size_t fileSize = size - 1 - orderLength;

    ByteFieldReader reader(file, fileSize);
    ByteFieldWriter echo;
    std::size_t echoed = 0;  // bytes of the file the echo stands for
    bool echoExact = true;
    for (std::size_t i = 0; i < orderLength; ++i) {
        const bool wasOk = reader.ok();
        const std::size_t start = reader.position();
        switch (order[i] % 5) {
        case 0: {
            const int v = reader.byte();
            if (reader.ok()) echo.byte(v);
            else fuzzCheck(v == 0);
            break;
        }
        case 1: {
            const std::uint32_t v = reader.u16();
            fuzzCheck(v <= 0xFFFF);
            if (reader.ok()) echo.u16(std::int32_t(v));
            else fuzzCheck(v == 0);
            break;
        }
        case 2: {
            const std::uint32_t v = reader.u24();
            fuzzCheck(v <= 0xFFFFFF);
            if (reader.ok()) echo.u24(std::int32_t(v));
            else fuzzCheck(v == 0);
            break;
        }
        case 3: {
            const std::size_t count = order[i] / 5;
            reader.skip(count);
            if (reader.ok()) echo.zeros(count), echoExact = false;
            break;
        }
        default: {
            const std::string t = reader.tag();
            fuzzCheck(t.size() <= ByteFieldReader::kTagLimit);
            // A tag written back is its text and a zero: the same bytes when
            // the file had its zero within the limit and no zero inside.
            if (reader.ok() && reader.position() - start == t.size() + 1 && file[reader.position() - 1] == 0) echo.tag(t.c_str());
            else echoExact = false;
            break;
        }
        }
        fuzzCheck(reader.position() <= fileSize);
        if (!wasOk) fuzzCheck(!reader.ok());
        if (reader.ok()) echoed = reader.position();
    }
    if (echoExact && reader.ok()) {
        const std::vector<std::uint8_t>& bytes = echo.bytes();
        fuzzCheck(bytes.size() == echoed);
        fuzzCheck(std::equal(bytes.begin(), bytes.end(), file));
    }
    return 0;
}
