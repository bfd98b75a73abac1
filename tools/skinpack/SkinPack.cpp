#include "tools/skinpack/SkinPack.h"

#include "base/WholeFile.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"
#include "tools/skinpack/DecodeFile.h"
#include "tools/skinpack/Files.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace kv {
namespace {

using files::OpenFile;
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
    CFile file = OpenFile(path.c_str(), false);
    if (!file) throw ToolError("cannot open " + path);
    Bytes bytes;
    switch (ReadWholeFile(file.get(), cap, bytes)) {
    case WholeFile::Ok:
        return bytes;
    case WholeFile::TooLarge:
        throw ToolError(path + " is larger than " + std::to_string(cap) + " bytes");
    case WholeFile::ReadError:
        break;
    }
    throw ToolError("cannot read " + path);
}

void WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
    CFile file = OpenFile(path.c_str(), true);
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (file && std::fclose(file.release()) != 0) written = false;
    if (!written) throw ToolError("cannot write " + path);
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

void List(const std::vector<std::string>& args, std::string& out) {
    CheckArgs(args, 2);
    TSkinReader reader;
    OpenSkin(reader, args[1]);
    out += "version " + std::to_string(reader.PackageVersion()) + ", " +
           std::to_string(reader.Count()) + " entries, " + std::to_string(reader.Data().size()) +
           " bytes of data\n";
    for (size_t i = 0; i < reader.Count(); i++) {
        std::string size = std::to_string(reader.EntrySize(i));
        out += std::string(10 - std::min<size_t>(10, size.size()), ' ') + size + "  " +
               reader.Names()[i];
        if (!reader.Entry(i)) out += "  (reaches past the data: absent)";
        out += "\n";
    }
}

void Extract(const std::vector<std::string>& args) {
    CheckArgs(args, 4);
    TSkinReader reader;
    OpenSkin(reader, args[1]);
    Bytes bytes;
    if (!reader.ExtractEntry(args[2], bytes))
        throw ToolError(args[1] + ": no entry named \"" + args[2] + "\"");
    WriteFile(args[3], bytes);
}

void WriteOrderFile(const std::string& dir, const std::vector<std::string>& names) {
    std::string text;
    for (const auto& n : names) text += n + "\n";
    WriteFile(files::Join(dir, kSkinPackOrderFile),
              std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void Unpack(const std::vector<std::string>& args, std::string& err) {
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
    const std::string& dir = args[2];
    if (!files::MakeFolders(dir)) throw ToolError("cannot create folder " + dir);
    std::map<std::string, size_t> written;
    for (size_t i = 0; i < reader.Count(); i++) {
        const std::string& name = reader.Names()[i];
        auto bytes = *reader.Entry(i);
        auto [it, first] = written.emplace(name, i);
        if (first) {
            WriteFile(files::Join(dir, name), bytes);
        } else if (!std::ranges::equal(bytes, *reader.Entry(it->second))) {
            err += "skinpack: note: a later \"" + name +
                   "\" differs from the first; the first is kept, as readers do\n";
        }
    }
    WriteOrderFile(dir, reader.Names());
}

std::vector<std::string> ReadOrderFile(const std::string& path) {
    Bytes bytes = ReadFile(path, uint64_t(1) << 20);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<std::string> names;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        names.emplace_back(line);
    }
    return names;
}

std::vector<std::string> EntryNames(const std::string& dir) {
    std::string orderFile = files::Join(dir, kSkinPackOrderFile);
    if (files::Exists(orderFile)) return ReadOrderFile(orderFile);
    std::optional<std::vector<std::string>> names = files::FileNamesIn(dir);
    if (!names) throw ToolError("cannot read folder " + dir);
    std::erase(*names, std::string(kSkinPackOrderFile));
    std::sort(names->begin(), names->end());
    return *names;
}

void Pack(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    const std::string& dir = args[1];
    if (!files::IsFolder(dir)) throw ToolError(dir + " is not a folder");
    std::vector<SkinEntry> entries;
    for (const std::string& name : EntryNames(dir)) {
        if (!IsPlainFileName(name)) throw ToolError("\"" + name + "\" is not a plain file name");
        entries.push_back({name, ReadFile(files::Join(dir, name), uint64_t(kLzhMaxUnpacked))});
    }
    if (entries.empty()) throw ToolError(args[1] + " holds no entries to pack");
    Bytes packed;
    std::string error;
    if (!PackSkin(entries, packed, error)) throw ToolError(error);
    WriteFile(args[2], packed);
}

void Decode(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    std::string message;
    if (!DecodePackedFile(args[1].c_str(), args[2].c_str(), message)) throw ToolError(message);
}

void Encode(const std::vector<std::string>& args) {
    CheckArgs(args, 3);
    Bytes data = ReadFile(args[1], uint64_t(kLzhMaxUnpacked));
    WriteFile(args[2], TLZH::Pack(data));
}

void Dispatch(const std::vector<std::string>& args, std::string& out, std::string& err) {
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

int RunSkinPack(const std::vector<std::string>& args, std::string& out, std::string& err) {
    if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        (args.empty() ? err : out) += kUsage;
        return args.empty() ? 1 : 0;
    }
    try {
        Dispatch(args, out, err);
        return 0;
    } catch (const UsageError& e) {
        err += std::string("skinpack: ") + e.what() + "\n\n" + kUsage;
    } catch (const std::exception& e) {
        err += std::string("skinpack: ") + e.what() + "\n";
    }
    return 1;
}

} // namespace kv
