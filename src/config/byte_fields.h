#pragma once
// The fields of the game's binary files (level maps, player files): unsigned
// big-endian integers of 16 and 24 bits and zero-terminated texts.
//
// Writers report whether every byte reached the stream. Readers never fail:
// a byte missing at the end of the file counts as 0, and the stream's
// end-of-file flag (std::feof) tells the caller that the file was short.

#include <cstdint>
#include <cstdio>

// The value clamped to 0..65535, high byte first.
bool writeU16(std::FILE* stream, std::int32_t value);
std::uint32_t readU16(std::FILE* stream);

// Negative values are written as 0; bits above the 24th are dropped.
bool writeU24(std::FILE* stream, std::int32_t value);
std::uint32_t readU24(std::FILE* stream);

// The text's bytes and a zero byte.
bool writeTerminatedText(std::FILE* stream, const char* text);

// Reads up to and including the zero byte, keeping at most 256 bytes of text;
// stops early at the end of the file. The result lives in a shared buffer
// that the next call overwrites.
const char* readTerminatedText(std::FILE* stream);
