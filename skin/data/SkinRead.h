#pragma once
// TSkinReader: opens a packed skin and hands out its entries by name.
//
// A packed skin is exactly a packed stream (see Lzh.h): the 4-byte unpacked size, then the
// LZHUF bits. A skin file on disk holds the same bytes; there is no other file header. The
// unpacked package is (little-endian):
//   0   4  PackageVersion, must be kSkinPackageVersion (20000)
//   4   4  L, bytes of the name list (signed)
//   8   8  reserved, ignored
//   16  L  entry names, lines ended by CR, LF or CR LF; a NUL ends the list
//   ..  4n entry sizes, unsigned, one per name in list order
//   ..     entry data, concatenated in list order (Data)
//
// Contract
// - OpenPackage(packed) / OpenPackageFile(path) decode and check the whole package. True on
//   success. False, with the reader left empty, for a package of another version (the
//   kOlderSkinMessage is shown) or a damaged one (kDamagedSkinMessage: a stream that does not
//   decode, an unpacked size below 16, a name list or size table that does not fit, more than
//   kSkinMaxEntries names; for a file also one above kSkinMaxFileBytes or that cannot be read
//   whole). A file that cannot be opened gives false without a message: the caller reports it.
//   Refusals never raise; only a failed allocation raises (ElzhException from the decoder,
//   std::bad_alloc otherwise).
// - Names() are the entry names folded to ASCII lower case, in package order; duplicates are
//   kept and look-ups take the first match.
// - ExtractEntry(name, dest) folds `name` and copies the first entry with that name into
//   `dest`. ExtractEntryContaining(part, dest, name) copies the first entry whose (lower-case)
//   name contains `part` as is (no folding) and sets `name`. When nothing matches, or the match
//   reaches past Data (sizes are summed in 64 bits), `dest` is left empty (never partial),
//   `name` is untouched and the result is false.
// - Messages go through the hook a ScopedSkinMessageHook installs (by default they are dropped); the
//   Windows layers route them to a message box, host tests record them.
// - The reader owns its copy of the unpacked bytes; spans it returns live until the next
//   OpenPackage or the reader's destruction.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr int32_t kSkinPackageVersion = 20000;
inline constexpr size_t kSkinHeaderBytes = 16;
// The size table has 1001 places; a package with more names is refused.
inline constexpr size_t kSkinMaxEntries = 1001;
// A packed skin file larger than this is refused before it is read: it could not decode to
// a package within the decoder's cap (incompressible data grows by well under half).
inline constexpr uint64_t kSkinMaxFileBytes = uint64_t(96) << 20;

inline constexpr const char* kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";
inline constexpr const char* kDamagedSkinMessage =
    "This is Damaged Skin File\rPlease check the skin file !";

using SkinMessageHook = std::function<void(const std::string& text)>;

// Routes the reader's messages to `hook` while it lives and puts the previous hook back when it
// goes, also when an exception leaves the scope: a hook usually refers to its caller's locals,
// and one left installed would write into them after they are gone. Installers nest (the
// innermost wins); destroy them in reverse order of creation, as scopes do.
class ScopedSkinMessageHook {
public:
    explicit ScopedSkinMessageHook(SkinMessageHook hook);
    ~ScopedSkinMessageHook();
    ScopedSkinMessageHook(const ScopedSkinMessageHook&) = delete;
    ScopedSkinMessageHook& operator=(const ScopedSkinMessageHook&) = delete;

private:
    SkinMessageHook previous_;
};

void ShowSkinMessage(const std::string& text);

class TSkinReader {
public:
    bool OpenPackage(std::span<const uint8_t> packed);
    bool OpenPackageFile(const std::string& path);
    // The same checks on a package that is already unpacked (tools, tests, fuzzing).
    bool OpenUnpacked(std::vector<uint8_t> package);

    bool ExtractEntry(std::string_view name, std::vector<uint8_t>& dest) const;
    bool ExtractEntryContaining(std::string_view part, std::vector<uint8_t>& dest,
                                std::string& name) const;

    const std::vector<std::string>& Names() const { return names_; }
    size_t Count() const { return names_.size(); }
    uint32_t EntrySize(size_t index) const { return sizes_[index]; }
    // The bytes of entry `index`, or nothing when it reaches past Data.
    std::optional<std::span<const uint8_t>> Entry(size_t index) const;
    std::span<const uint8_t> Data() const;
    int32_t PackageVersion() const { return version_; }
    int32_t NameListLength() const { return nameListLength_; }

private:
    bool Parse();
    bool Refuse(const char* message);
    void Clear();
    std::optional<std::span<const uint8_t>> EntryAt(uint64_t offset, uint32_t size) const;

    std::vector<uint8_t> package_; // the whole unpacked package; Data starts at dataOffset_
    size_t dataOffset_ = 0;
    std::vector<std::string> names_;
    std::vector<uint32_t> sizes_;
    std::vector<uint64_t> offsets_; // of each entry within Data, summed in 64 bits
    int32_t version_ = 0;
    int32_t nameListLength_ = 0;
};

// Splits a name list the way a string list reads text: a line ends at CR, LF or CR LF, a final
// line break opens no further line, and a NUL ends the list. Stops after `maxLines` lines, so a
// hostile list cannot make millions of strings.
std::vector<std::string> SplitNameList(std::string_view text, size_t maxLines = SIZE_MAX);
std::string FoldLower(std::string_view text);

} // namespace kv
