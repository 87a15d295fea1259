// The mixer's buffers, steered the way the sound code steers them but with
// every argument taken from the input: a format and size as a WAV file would
// give them, then locks, writes, plays, cursor moves, volume, pan and
// frequency changes, duplicates and mixing in any order. Regions handed out
// stay inside the buffer; cursors stay inside it too.

#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "platform/mixer.h"

using namespace platform;

namespace {

void checkCursors(const SoundBuffer& buffer) {
    std::uint32_t play = 0, write = 0;
    if (buffer.isPrimary() || buffer.sizeBytes() == 0) return;
    if (buffer.getCurrentPosition(&play, &write) != DS_OK) return;
    fuzzCheck(play < buffer.sizeBytes() && write < buffer.sizeBytes());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::shared_ptr<Mixer> mixer = Mixer::create();
    fuzz::InputCursor in(data, size);
    BufferDescription description;
    description.flags = in.u32();
    description.bufferBytes = in.u32() % (1u << 20);
    description.format.formatTag = std::uint16_t(in.byte() % 3);
    description.format.channels = in.byte() % 4;
    description.format.samplesPerSec = in.u32() % 200000;
    description.format.bitsPerSample = std::uint16_t(in.byte() % 20);
    description.format.blockAlign = std::uint16_t(in.byte() % 8);
    description.format.avgBytesPerSec = description.format.samplesPerSec * description.format.blockAlign;

    std::vector<std::unique_ptr<SoundBuffer>> buffers(1);
    if (mixer->createBuffer(description, buffers[0]) != DS_OK || !buffers[0]) return 0;

    std::vector<std::int16_t> out(2 * 4096);
    // Up to 64 steps an input: the seeds are whole WAV files, and thousands
    // of mixes an input made each run long without reaching anything new.
    for (int steps = 0; steps < 64 && in.remaining() > 0; ++steps) {
        const std::uint8_t op = in.byte();
        SoundBuffer& buffer = *buffers[op % buffers.size()];
        switch ((op >> 2) % 9) {
        case 0: {
            const std::uint32_t offset = in.u32(), bytes = in.u32() % (1u << 21);
            BufferRegions regions;
            if (buffer.lock(offset, bytes, regions, in.byte() % 4) != DS_OK) break;
            fuzzCheck(std::uint64_t(regions.size1) + regions.size2 <= buffer.sizeBytes());
            // Written with memset: a traced loop over up to 2 MiB cost more
            // than everything the mixer does with them.
            if (regions.size1) std::memset(regions.data1, 0x5B, regions.size1);
            if (regions.size2) std::memset(regions.data2, 0xA4, regions.size2);
            // Write back all or part of what was handed out.
            const std::uint8_t part = in.byte();
            regions.size1 = part & 1 ? regions.size1 / 2 : regions.size1;
            regions.size2 = part & 2 ? 0 : regions.size2;
            buffer.unlock(regions);
            break;
        }
        case 1: buffer.play(in.byte() & 1); break;
        case 2: buffer.stop(); break;
        case 3: buffer.setCurrentPosition(in.u32()); break;
        case 4: buffer.setVolume(std::int32_t(in.u32())); break;
        case 5: buffer.setPan(std::int32_t(in.u32())); break;
        case 6: buffer.setFrequency(in.u32() % 200000); break;
        case 7:
            if (buffers.size() < 4) {
                std::unique_ptr<SoundBuffer> copy;
                if (mixer->duplicateBuffer(buffer, copy) == DS_OK && copy) buffers.push_back(std::move(copy));
            }
            break;
        default: mixer->mix(out.data(), 1 + in.byte() * 16); break;
        }
        checkCursors(buffer);
    }
    mixer->mix(out.data(), 512);
    return 0;
}
