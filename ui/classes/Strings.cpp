#include "ui/classes/Strings.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"

#include <algorithm>
#include <cctype>

KV_DEFINE_PLAIN_CLASS(TStrings, TObject)
KV_DEFINE_PLAIN_CLASS(TStringList, TStrings)

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// --- TStrings ---------------------------------------------------------------------------------

void TStrings::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& text) {
    TObject* object = Objects(index);
    BeginUpdate();
    Delete(index);
    Insert(index, text);
    SetObjects(index, object);
    EndUpdate();
}

TObject* TStrings::Objects(int index) const {
    CheckIndex(index, Count());
    return nullptr;
}

void TStrings::SetObjects(int index, TObject*) {
    CheckIndex(index, Count());
}

int TStrings::Add(const std::string& text) {
    int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, TObject* object) {
    int index = Add(text);
    if (index >= 0 && index < Count()) SetObjects(index, object);
    return index;
}

int TStrings::IndexOf(std::string_view text) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareText(Get(i), text) == 0) return i;
    return -1;
}

void TStrings::Exchange(int a, int b) {
    CheckIndex(a, Count());
    CheckIndex(b, Count());
    if (a == b) return;
    std::string ta = Get(a), tb = Get(b);
    TObject* oa = Objects(a);
    TObject* ob = Objects(b);
    BeginUpdate();
    Put(a, tb);
    SetObjects(a, ob);
    Put(b, ta);
    SetObjects(b, oa);
    EndUpdate();
}

std::vector<std::string> TStrings::SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char ch = text[i];
        if (ch != '\r' && ch != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text) {
    std::vector<std::string> lines = SplitLines(text);
    BeginUpdate();
    Clear();
    for (const std::string& line : lines) Add(line);
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        if (i) text += ',';
        std::string s = Get(i);
        bool plain = !s.empty() && s.find_first_of(" ,\"") == std::string::npos;
        if (plain) {
            text += s;
            continue;
        }
        text += '"';
        for (char ch : s) text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        text += '"';
    }
    return text;
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.Objects(i));
    EndUpdate();
}

std::string TStrings::Names(int index) const {
    std::string s = Get(index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && CompareText(std::string_view(s).substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

std::string TStrings::Values(std::string_view name) const {
    int i = IndexOfName(name);
    if (i < 0) return {};
    std::string s = Get(i);
    return s.substr(s.find('=') + 1);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
    int i = IndexOfName(name);
    std::string line = std::string(name) + "=" + value;
    if (i >= 0)
        Put(i, line);
    else
        Add(line);
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t remaining = stream.Size() - stream.Position();
    std::string text(remaining > 0 ? static_cast<size_t>(remaining) : 0, '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), text.size());
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const {
    std::string text = Text();
    stream.WriteBuffer(text.data(), text.size());
}

void TStrings::LoadFromFile(const std::string& path) {
    TFileStream stream(path, fmOpenRead);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const std::string& path) const {
    TFileStream stream(path, fmCreate);
    SaveToStream(stream);
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

// --- TStringList ------------------------------------------------------------------------------

TStringList::TStringList(std::initializer_list<std::string> lines) {
    for (const std::string& line : lines) Add(line);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index, Count());
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    items_[static_cast<size_t>(index)].text = text;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
    CheckIndex(index, Count());
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& text) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, Item{text, nullptr});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TStringList::Add(const std::string& text) {
    if (!sorted_) {
        items_.push_back(Item{text, nullptr});
        Changed();
        return Count() - 1;
    }
    int index = 0;
    if (Find(text, index)) {
        if (duplicates_ == TDuplicates::dupIgnore) return index;
        if (duplicates_ == TDuplicates::dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    items_.insert(items_.begin() + index, Item{text, nullptr});
    Changed();
    return index;
}

int TStringList::IndexOf(std::string_view text) const {
    if (!sorted_) return TStrings::IndexOf(text);
    int index = 0;
    return Find(text, index) ? index : -1;
}

bool TStringList::Find(std::string_view text, int& index) const {
    auto it = std::lower_bound(
        items_.begin(), items_.end(), text,
        [](const Item& item, std::string_view t) { return CompareText(item.text, t) < 0; });
    index = static_cast<int>(it - items_.begin());
    return it != items_.end() && CompareText(it->text, text) == 0;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const Item& a, const Item& b) { return CompareText(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (!updating && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        if (OnChange) OnChange(this);
    }
}

void TStringList::Changed() {
    if (Updating()) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) OnChange(this);
}
