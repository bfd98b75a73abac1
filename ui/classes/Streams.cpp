#include "ui/classes/Streams.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"

#include <algorithm>
#include <cstring>

KV_DEFINE_PLAIN_CLASS(TStream, TObject)
KV_DEFINE_PLAIN_CLASS(TMemoryStream, TStream)
KV_DEFINE_PLAIN_CLASS(TFileStream, TStream)

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::Size() {
    int64_t here = Seek(0, TSeekOrigin::soCurrent);
    int64_t end = Seek(0, TSeekOrigin::soEnd);
    Seek(here, TSeekOrigin::soBeginning);
    return end;
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    uint8_t chunk[16384];
    int64_t left = count;
    while (left > 0) {
        size_t n = static_cast<size_t>(std::min<int64_t>(left, sizeof chunk));
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        left -= static_cast<int64_t>(n);
    }
    return count;
}

// --- TMemoryStream ----------------------------------------------------------------------------

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (position_ >= bytes_.size()) return 0;
    size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (count > kMaxMemoryStream || position_ > kMaxMemoryStream - count)
        throw EStreamError("Out of memory while expanding memory stream");
    size_t end = position_ + count;
    if (end > bytes_.size()) bytes_.resize(end);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? static_cast<int64_t>(position_)
                                                      : static_cast<int64_t>(bytes_.size());
    int64_t target = base + offset;
    if (target < 0 || target > static_cast<int64_t>(kMaxMemoryStream))
        throw EStreamError("Stream seek error");
    position_ = static_cast<size_t>(target);
    return target;
}

void TMemoryStream::SetSize(size_t size) {
    if (size > kMaxMemoryStream) throw EStreamError("Out of memory while expanding memory stream");
    bytes_.resize(size);
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t size = source.Size();
    if (size < 0 || static_cast<uint64_t>(size) > kMaxMemoryStream)
        throw EStreamError("Out of memory while expanding memory stream");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    source.ReadBuffer(bytes.data(), bytes.size());
    bytes_ = std::move(bytes);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    TFileStream file(path, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    TFileStream file(path, fmCreate);
    file.WriteBuffer(bytes_.data(), bytes_.size());
}

// --- TFileStream ------------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& path, unsigned mode) : path_(path) {
    if (mode == fmCreate) {
        file_ = std::fopen(path.c_str(), "w+b");
        if (!file_) throw EFCreateError("Cannot create file \"" + path + "\"");
        return;
    }
    const char* how = (mode & 3) == fmOpenRead ? "rb" : "r+b";
    file_ = std::fopen(path.c_str(), how);
    if (!file_) throw EFOpenError("Cannot open file \"" + path + "\"");
}

TFileStream::~TFileStream() {
    if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    return std::fread(buffer, 1, count, file_);
}

size_t TFileStream::Write(const void* buffer, size_t count) {
    return std::fwrite(buffer, 1, count, file_);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                 : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                    : SEEK_END;
#ifdef _WIN32
    if (_fseeki64(file_, offset, whence) != 0) throw EStreamError("Stream seek error");
    return _ftelli64(file_);
#else
    if (fseeko(file_, static_cast<off_t>(offset), whence) != 0)
        throw EStreamError("Stream seek error");
    return static_cast<int64_t>(ftello(file_));
#endif
}
