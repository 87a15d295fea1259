// The player's progress file: any bytes decode over the defaults without
// harm, and a whole file written back is the file that was read (the tips
// byte kept as the yes or no it means), in the older layout or the current.

#include <algorithm>

#include <vector>

#include "fuzz_support.h"
#include "game/progress_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgressRecord record;
    const ProgressReadResult result = decodeProgress(data, size, record);
    const bool whole = size == kProgressFileSize || size == kOlderProgressFileSize;
    fuzzCheck(result == (whole ? ProgressReadResult::Complete : ProgressReadResult::Damaged));
    const std::vector<std::uint8_t> bytes = encodeProgress(record);
    const bool fingerprinted = size >= kProgressFileSize;
    fuzzCheck(bytes.size() == (fingerprinted ? kProgressFileSize : kOlderProgressFileSize));
    // Fields the file holds whole come back as they were, fields it does
    // not reach keep the defaults; a field cut by the end (no field is wider
    // than three bytes) may be either.
    const std::vector<std::uint8_t> defaults = encodeProgress(ProgressRecord{});
    const std::size_t tips = kOlderProgressFileSize - 1;
    for (std::size_t i = 0; i < tips; ++i) {
        if (i + 2 < size) fuzzCheck(bytes[i] == data[i]);
        else if (i >= size) fuzzCheck(bytes[i] == defaults[i]);
    }
    if (size > tips) fuzzCheck(bytes[tips] == (data[tips] != 0 ? 1 : 0));
    if (fingerprinted) fuzzCheck(std::equal(bytes.begin() + tips + 1, bytes.end(), data + tips + 1));

    ProgressRecord again;
    fuzzCheck(decodeProgress(bytes.data(), bytes.size(), again) == ProgressReadResult::Complete);
    fuzzCheck(encodeProgress(again) == bytes);
    return 0;
}
