#include "app/logic/Paths.h"

namespace kv::app {
namespace {

// Position just past the last separator, and of the last "." after it (npos when none).
struct PathMarks {
    size_t nameStart = 0;
    size_t lastDot = std::string_view::npos;
};

PathMarks FindMarks(std::string_view path, LeadBytePredicate isLeadByte) {
    PathMarks marks;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (isLeadByte && isLeadByte(c) && i + 1 < path.size()) {
            ++i; // the trail byte is never a separator
            continue;
        }
        if (c == '\\' || c == '/' || c == ':') {
            marks.nameStart = i + 1;
            marks.lastDot = std::string_view::npos;
        } else if (c == '.') {
            marks.lastDot = i;
        }
    }
    return marks;
}

} // namespace

std::string DirectoryOf(std::string_view path, LeadBytePredicate isLeadByte) {
    return std::string(path.substr(0, FindMarks(path, isLeadByte).nameStart));
}

std::string FileTitle(std::string_view path, LeadBytePredicate isLeadByte) {
    PathMarks marks = FindMarks(path, isLeadByte);
    size_t end = marks.lastDot == std::string_view::npos ? path.size() : marks.lastDot;
    return std::string(path.substr(marks.nameStart, end - marks.nameStart));
}

} // namespace kv::app
