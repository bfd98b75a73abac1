// Streams: a byte sequence with a position, in memory or in a file.
//
// Contract:
//  - Read() copies at most count bytes and returns how many; ReadBuffer() throws EReadError
//    unless all count bytes are there ("Stream read error"). Write() likewise; WriteBuffer()
//    throws EWriteError.
//  - Seek() clamps nothing: a position below 0 throws EStreamError; a position past the end
//    is allowed (a later write fills the gap with zeros in memory streams).
//  - TMemoryStream owns its bytes; SetSize() grows with zeros. Memory is checked: a size above
//    kMaxMemoryStream throws EStreamError instead of allocating.
//  - TFileStream opens in its constructor and throws EFOpenError ("Cannot open file \"x\"") or
//    EFCreateError ("Cannot create file \"x\""); the file closes with the stream.
#pragma once

#include "ui/classes/Object.h"

#include <cstdio>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    KV_CLASS(TStream, TObject)
public:
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    // Copies count bytes from source (all of it from the start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
    KV_CLASS(TMemoryStream, TStream)
public:
    // 1 GiB: more than any layout or skin the program reads; a larger size is a corrupt length.
    static constexpr size_t kMaxMemoryStream = size_t{1} << 30;

    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    void SetSize(size_t size);
    void Clear();

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    const uint8_t* Memory() const { return bytes_.data(); }
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

enum TFileMode : unsigned {
    fmOpenRead = 0,
    fmOpenWrite = 1,
    fmOpenReadWrite = 2,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
    KV_CLASS(TFileStream, TStream)
public:
    TFileStream(const std::string& path, unsigned mode);
    ~TFileStream() override;

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    const std::string& FileName() const { return path_; }

private:
    std::string path_;
    std::FILE* file_ = nullptr;
};
