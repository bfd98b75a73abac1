// The skin package reader. Every header field is checked against the unpacked bytes before it
// is used; entry offsets are summed in 64 bits so a hostile size table can neither wrap nor
// reach past Data.
#include "skin/data/SkinRead.h"

#include "base/ByteCursor.h"
#include "base/WholeFile.h"
#include "skin/data/Lzh.h"

#include <cstdio>
#include <utility>

namespace kv {
namespace {

SkinMessageHook& MessageHook() {
    static SkinMessageHook hook;
    return hook;
}

} // namespace

ScopedSkinMessageHook::ScopedSkinMessageHook(SkinMessageHook hook)
    : previous_(std::exchange(MessageHook(), std::move(hook))) {}

ScopedSkinMessageHook::~ScopedSkinMessageHook() {
    MessageHook() = std::move(previous_);
}

void ShowSkinMessage(const std::string& text) {
    if (MessageHook()) MessageHook()(text);
}

std::string FoldLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::vector<std::string> SplitNameList(std::string_view text, size_t maxLines) {
    std::vector<std::string> lines;
    size_t i = 0, n = text.size();
    while (i < n && text[i] != '\0' && lines.size() < maxLines) {
        size_t start = i;
        while (i < n && text[i] != '\0' && text[i] != '\r' && text[i] != '\n') i++;
        lines.emplace_back(text.substr(start, i - start));
        if (i < n && text[i] == '\r') i++;
        if (i < n && text[i] == '\n') i++;
    }
    return lines;
}

void TSkinReader::Clear() {
    package_.clear();
    dataOffset_ = 0;
    names_.clear();
    sizes_.clear();
    offsets_.clear();
    version_ = 0;
    nameListLength_ = 0;
}

bool TSkinReader::Refuse(const char* message) {
    Clear();
    ShowSkinMessage(message);
    return false;
}

bool TSkinReader::OpenPackage(std::span<const uint8_t> packed) {
    Clear();
    if (TLZH::Unpack(packed, package_) != LzhStatus::Ok) return Refuse(kDamagedSkinMessage);
    return Parse();
}

bool TSkinReader::OpenUnpacked(std::vector<uint8_t> package) {
    Clear();
    package_ = std::move(package);
    return Parse();
}

bool TSkinReader::OpenPackageFile(const std::string& path) {
    Clear();
    CFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return false; // missing or unreadable: the caller reports that
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(file.get(), kSkinMaxFileBytes, bytes) != WholeFile::Ok)
        return Refuse(kDamagedSkinMessage);
    file.reset();
    return OpenPackage(bytes);
}

bool TSkinReader::Parse() {
    ByteCursor cur(package_.data(), package_.size());
    version_ = cur.I32();
    int32_t listLength = cur.I32();
    cur.Skip(8); // reserved: writers have left arbitrary bytes here
    if (!cur.Ok()) return Refuse(kDamagedSkinMessage);
    if (version_ != kSkinPackageVersion) {
        int32_t version = version_;
        Refuse(kOlderSkinMessage);
        version_ = version; // the one word that was read stays visible
        return false;
    }
    if (listLength < 0 || size_t(listLength) > cur.Remaining()) return Refuse(kDamagedSkinMessage);
    std::span<const uint8_t> list = cur.Take(size_t(listLength));
    std::string_view listText(reinterpret_cast<const char*>(list.data()), list.size());
    std::vector<std::string> names = SplitNameList(listText, kSkinMaxEntries + 1);
    if (names.size() > kSkinMaxEntries || names.size() * 4 > cur.Remaining())
        return Refuse(kDamagedSkinMessage);
    sizes_.reserve(names.size());
    offsets_.reserve(names.size());
    uint64_t offset = 0;
    for (size_t i = 0; i < names.size(); i++) {
        sizes_.push_back(cur.U32());
        offsets_.push_back(offset);
        offset += sizes_.back();
    }
    for (auto& name : names) name = FoldLower(name);
    names_ = std::move(names);
    nameListLength_ = listLength;
    dataOffset_ = cur.Pos();
    return true;
}

std::span<const uint8_t> TSkinReader::Data() const {
    return std::span<const uint8_t>(package_).subspan(dataOffset_);
}

std::optional<std::span<const uint8_t>> TSkinReader::EntryAt(uint64_t offset, uint32_t size) const {
    std::span<const uint8_t> data = Data();
    if (offset > data.size() || size > data.size() - offset) return std::nullopt;
    return data.subspan(size_t(offset), size);
}

std::optional<std::span<const uint8_t>> TSkinReader::Entry(size_t index) const {
    if (index >= names_.size()) return std::nullopt;
    return EntryAt(offsets_[index], sizes_[index]);
}

bool TSkinReader::ExtractEntry(std::string_view name, std::vector<uint8_t>& dest) const {
    dest.clear();
    std::string wanted = FoldLower(name);
    for (size_t i = 0; i < names_.size(); i++) {
        if (names_[i] != wanted) continue;
        auto bytes = Entry(i);
        if (!bytes) return false; // the first match reaches past Data: absent
        dest.assign(bytes->begin(), bytes->end());
        return true;
    }
    return false;
}

bool TSkinReader::ExtractEntryContaining(std::string_view part, std::vector<uint8_t>& dest,
                                         std::string& name) const {
    dest.clear();
    for (size_t i = 0; i < names_.size(); i++) {
        if (names_[i].find(part) == std::string::npos) continue;
        auto bytes = Entry(i);
        if (!bytes) return false;
        dest.assign(bytes->begin(), bytes->end());
        name = names_[i];
        return true;
    }
    return false;
}

} // namespace kv
