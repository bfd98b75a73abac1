#include "tools/skinpack/SkinPack.h"

#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace kv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr const char* kUsage =
    "usage:\n"
    "  skinpack list SKIN               list the entries of a packed skin\n"
    "  skinpack extract SKIN NAME OUT   write entry NAME (any case) to file OUT\n"
    "  skinpack unpack SKIN DIR         write every entry into folder DIR (and skinpack.order)\n"
    "  skinpack pack DIR OUT            pack the files of folder DIR into skin OUT\n"
    "  skinpack decode PACKED OUT       unpack a raw packed stream (size word + LZHUF bits)\n"
    "  skinpack encode IN OUT           pack any file as a raw packed stream\n"
    "\n"
    "SKIN is a packed skin file: a 4-byte little-endian unpacked size, then the LZHUF\n"
    "stream of the skin package (version 20000, entry names, sizes and data).\n"
    "\n"
    "pack takes the entry order from the file skinpack.order in DIR when it exists: one\n"
    "entry name per line, in package order; a name may appear more than once (its file is\n"
    "packed each time); blank lines and lines starting with '#' are ignored. Without it,\n"
    "every file of DIR is packed once, in byte order of the names. unpack writes\n"
    "skinpack.order, so the folder packs back to the same package.\n";

// Failures inside a command: caught once in RunSkinPack, reported, exit code 1.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct UsageError : ToolError {
    using ToolError::ToolError;
};

Bytes ReadFile(const std::string& path, uint64_t cap) {
    std::ifstream f(fs::path(path), std::ios::binary | std::ios::ate);
    if (!f) throw ToolError("cannot open " + path);
    std::streamoff length = f.tellg();
    if (length < 0) throw ToolError("cannot read " + path);
    if (uint64_t(length) > cap)
        throw ToolError(path + " is larger than " + std::to_string(cap) + " bytes");
    Bytes bytes(static_cast<size_t>(length));
    f.seekg(0);
    if (!f.read(reinterpret_cast<char*>(bytes.data()), length))
        throw ToolError("cannot read " + path);
    return bytes;
}

void WriteFile(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (f) f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (f) f.close();
    if (!f) throw ToolError("cannot write " + path.string());
}

std::string Printable(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

// Opens a packed skin; the reader's own message (older or damaged) becomes the error.
void OpenSkin(TSkinReader& reader, const std::string& path) {
    std::string message;
    bool ok = false;
    {
        ScopedSkinMessageHook hook([&](const std::string& t) { message = t; });
        ok = reader.OpenPackage(ReadFile(path, kSkinMaxFileBytes));
    }
    if (!ok) throw ToolError(path + ": " + Printable(message));
}

void CheckArgs(const std::vector<std::string>& args, size_t count) {
    if (args.size() != count) throw UsageError("wrong number of arguments for " + args[0]);
}

void List(const std::vector<std::string>& args, std::ostream& out) {
    CheckArgs(args, 2);
    TSkinReader reader;
    OpenSkin(reader, args[1]);
    out << "version " << reader.PackageVersion() << ", " << reader.Count() << " entries, "
        << reader.Data().size() << " bytes of data\n";
    for (size_t i = 0; i < reader.Count(); i++) {
        out << std::string(10 - std::min<size_t>(10, std::to_string(reader.EntrySize(i)).size()),
                           ' ')
            << reader.EntrySize(i) << "  " << reader.Names()[i];
        if (!reader.Entry(i)) out << "  (reaches past the data: absent)";
        out << "\n";
    }
}

void Extract(const std::vector<std::string>& args) {
    CheckArgs(args, 4);
    TSkinReader reader;
    OpenSkin(reader, args[1]);
    Bytes bytes;
    if (!reader.ExtractEntry(args[2], bytes))
        throw ToolError(args[1] + ": no entry named \"" + args[2] + "\"");
    WriteFile(fs::path(args[3]), bytes);
}

void WriteOrderFile(const fs::path& dir, const std::vector<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += n + "\n";
    WriteFile(dir / kSkinPackOrderFile,
              std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void Unpack(const std::vector<std::string>& args, std::ostream& err) {
    CheckArgs(args, 3);
    TSkinReader reader;
    OpenSkin(reader, args[1]);
    for (size_t i = 0; i < reader.Count(); i++) {
        const std::string& name = reader.Names()[i];
        if (!IsPlainFileName(name) || name == kSkinPackOrderFile)
            throw ToolError(args[1] + ": entry name \"" + name + "\" is not a plain file name");
        if (!reader.Entry(i))
            throw ToolError(args[1] + ": entry \"" + name + "\" reaches past the data");
    }
    fs::path dir(args[2]);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir)) throw ToolError("cannot create folder " + args[2]);
    std::map<std::string, size_t> written;
    for (size_t i = 0; i < reader.Count(); i++) {
        const std::string& name = reader.Names()[i];
        auto bytes = *reader.Entry(i);
        auto [it, first] = written.emplace(name, i);
        if (first) {
            WriteFile(dir / name, bytes);
        } else if (!std::ranges::equal(bytes, *reader.Entry(it->second))) {
            err << "skinpack: note: a later \"" << name
                << "\" differs from the first; the first is kept, as readers do\n";
        }
    }
    WriteOrderFile(dir, reader.Names());
}

std::vector<std::string> ReadOrderFile(const fs::path& path) {
    Bytes bytes = ReadFile(path.string(), uint64_t(1) << 20);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        names.push_back(line);
    }
    return names;
}

std::vector<std::string> EntryNames(const fs::path& dir) {
    if (fs::exists(dir / kSkinPackOrderFile)) return ReadOrderFile(dir / kSkinPackOrderFile);
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(dir)) {
        std::string name = item.path().filename().string();
        if (item.is_regular_file() && name != kSkinPackOrderFile) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Pack(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    fs::path dir(args[1]);
    if (!fs::is_directory(dir)) throw ToolError(args[1] + " is not a folder");
    std::vector<SkinEntry> entries;
    for (const std::string& name : EntryNames(dir)) {
        if (!IsPlainFileName(name)) throw ToolError("\"" + name + "\" is not a plain file name");
        entries.push_back({name, ReadFile((dir / name).string(), uint64_t(kLzhMaxUnpacked))});
    }
    if (entries.empty()) throw ToolError(args[1] + " holds no entries to pack");
    Bytes packed;
    std::string error;
    if (!PackSkin(entries, packed, error)) throw ToolError(error);
    WriteFile(fs::path(args[2]), packed);
}

// The C library's files rather than C++ streams for decode: a stream's first use sets up the
// locale machinery, a large share of the tool's start-up on a small skin.
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` in the system's own encoding (wide on Windows, so that any name opens).
// Unbuffered: the callers move whole pieces of many kilobytes, and a stdio buffer would only be
// one more page to touch.
File OpenFile(const fs::path& path, bool write) {
#ifdef _WIN32
    File file(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
    File file(std::fopen(path.c_str(), write ? "wb" : "rb"));
#endif
    if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

// A file written beside its destination and renamed over it once complete: a failure leaves
// the destination as it was, and the destination may be the very file being read.
class PendingFile {
public:
    explicit PendingFile(const fs::path& path) : path_(path), part_(path) {
        part_ += ".part";
        file_ = OpenFile(part_, true);
        if (!file_) throw ToolError("cannot write " + part_.string());
    }
    ~PendingFile() {
        file_.reset();
        std::error_code ec;
        if (!committed_) fs::remove(part_, ec);
    }

    bool Write(std::span<const uint8_t> bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) == bytes.size();
    }

    void Commit() {
        bool closed = std::fclose(file_.release()) == 0;
        std::error_code ec;
        if (closed) fs::rename(part_, path_, ec);
        if (!closed || ec) throw ToolError("cannot write " + path_.string());
        committed_ = true;
    }

private:
    fs::path path_, part_;
    File file_;
    bool committed_ = false;
};

// Streams: the packed input is read and the output written through fixed buffers.
void DecodeFile(const std::string& packedPath, const std::string& outPath) {
    File in = OpenFile(fs::path(packedPath), false);
    if (!in) throw ToolError("cannot open " + packedPath);
    PendingFile out{fs::path(outPath)};
    auto read = [&in](std::span<uint8_t> buffer) {
        return std::fread(buffer.data(), 1, buffer.size(), in.get());
    };
    auto write = [&out](std::span<const uint8_t> bytes) { return out.Write(bytes); };
    LzhStatus status = TLZH::UnpackStream(read, write);
    if (std::ferror(in.get())) throw ToolError("cannot read " + packedPath);
    if (status == LzhStatus::WriteFailed) throw ToolError("cannot write " + outPath);
    if (status != LzhStatus::Ok) throw ToolError(packedPath + ": " + LzhStatusText(status));
    in.reset(); // Windows renames nothing over an open file
    out.Commit();
}

void Decode(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    DecodeFile(args[1], args[2]);
}

void Encode(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    Bytes data = ReadFile(args[1], uint64_t(kLzhMaxUnpacked));
    WriteFile(fs::path(args[2]), TLZH::Pack(data));
}

void Dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string& command = args[0];
    if (command == "list") return List(args, out);
    if (command == "extract") return Extract(args);
    if (command == "unpack") return Unpack(args, err);
    if (command == "pack") return Pack(args);
    if (command == "decode") return Decode(args);
    if (command == "encode") return Encode(args);
    throw UsageError("unknown command \"" + command + "\"");
}

} // namespace

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255) return false;
    for (unsigned char c : name)
        if (c < 0x20 || std::string_view("/\\:<>\"|?*").find(char(c)) != std::string_view::npos)
            return false;
    return name.back() != ' ' && name.back() != '.'; // Windows would drop those
}

int DecodePackedFile(const std::string& packedPath, const std::string& outPath,
                     std::string& error) {
    try {
        DecodeFile(packedPath, outPath);
        return 0;
    } catch (const std::exception& e) {
        error = e.what();
    }
    return 1;
}

int RunSkinPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 1 : 0;
    }
    try {
        Dispatch(args, out, err);
        return 0;
    } catch (const UsageError& e) {
        err << "skinpack: " << e.what() << "\n\n" << kUsage;
    } catch (const std::exception& e) {
        err << "skinpack: " << e.what() << "\n";
    }
    return 1;
}

} // namespace kv
