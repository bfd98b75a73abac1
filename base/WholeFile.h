#pragma once
// A whole file's bytes through the C library, and the owner of a C library file.
//
// Contract: ReadWholeFile(file, cap, bytes) reads `file` from where it stands to its end into
// `bytes` (replacing what they held) and returns Ok; TooLarge as soon as more than `cap` bytes
// have come (it reads at most one piece past the cap, never the whole of a huge file); ReadError
// when the C library reports an error. The size is not asked first, so a pipe or a file that
// changes meanwhile is read as it comes. Only a failed allocation raises (std::bad_alloc).
//
// The C library rather than C++ file streams: a program that links the streams runs their
// set-up at every start, a large share of the start-up of a small command-line tool.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace kv {

struct CFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>; // closed when the owner goes

enum class WholeFile { Ok, TooLarge, ReadError };

WholeFile ReadWholeFile(std::FILE* file, uint64_t cap, std::vector<uint8_t>& bytes);

} // namespace kv
