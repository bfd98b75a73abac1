#include "ui/classes/LayoutReader.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"
#include "ui/classes/Strings.h"

#include <cctype>

namespace {

enum class Tok { End, Ident, Integer, String, Symbol };

struct Token {
    Tok kind = Tok::End;
    std::string text; // identifier, decoded string, or the symbol
    int64_t number = 0;
    int line = 1;
};

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Splits the text into tokens; line numbers count CR LF, CR and LF as one break each.
class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    Token Next() {
        SkipBlanks();
        Token t;
        t.line = line_;
        if (pos_ >= text_.size()) return t;
        char c = text_[pos_];
        if (IsIdentStart(c)) return Identifier(t);
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' ||
            (c == '-' && pos_ + 1 < text_.size() &&
             (std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])) || text_[pos_ + 1] == '$')))
            return Number(t);
        if (c == '\'' || c == '#') return String(t);
        t.kind = Tok::Symbol;
        t.text = std::string(1, c);
        ++pos_;
        if (std::string_view("=:[](){},+").find(c) == std::string_view::npos)
            throw ELayoutError(t.line, std::string("unexpected character '") + c + "'");
        return t;
    }

    // The hex digits of a binary value up to '}', with line breaks and blanks between them.
    std::vector<uint8_t> HexBlock(int startLine) {
        std::vector<uint8_t> bytes;
        int pending = -1;
        for (;;) {
            if (pos_ >= text_.size()) throw ELayoutError(startLine, "binary value without '}'");
            char c = text_[pos_++];
            if (c == '}') break;
            if (c == '\r' || c == '\n') {
                NewLine(c);
                continue;
            }
            if (c == ' ' || c == '\t') continue;
            int v = HexValue(c);
            if (v < 0) throw ELayoutError(line_, std::string("bad hex digit '") + c + "'");
            if (pending < 0) {
                pending = v;
            } else {
                bytes.push_back(static_cast<uint8_t>(pending * 16 + v));
                pending = -1;
            }
        }
        if (pending >= 0) throw ELayoutError(line_, "odd number of hex digits");
        return bytes;
    }

private:
    static int HexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void NewLine(char c) {
        // A CR LF pair is one break.
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ++line_;
    }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == ' ' || c == '\t') {
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
                NewLine(c);
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    Token Identifier(Token t) {
        size_t start = pos_;
        while (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == '.')) ++pos_;
        t.kind = Tok::Ident;
        t.text = std::string(text_.substr(start, pos_ - start));
        return t;
    }

    // Digits (or $hex digits), at most 18 of them so the value fits; sign in front.
    int64_t Digits(int base) {
        int64_t value = 0;
        int count = 0;
        while (pos_ < text_.size()) {
            int v = base == 16
                        ? HexValue(text_[pos_])
                        : (std::isdigit(static_cast<unsigned char>(text_[pos_])) ? text_[pos_] - '0'
                                                                                 : -1);
            if (v < 0) break;
            if (++count > (base == 16 ? 16 : 18)) throw ELayoutError(line_, "number too large");
            value =
                static_cast<int64_t>(static_cast<uint64_t>(value) * static_cast<uint64_t>(base) +
                                     static_cast<uint64_t>(v));
            ++pos_;
        }
        if (count == 0) throw ELayoutError(line_, "digits expected");
        return value;
    }

    Token Number(Token t) {
        bool negative = text_[pos_] == '-';
        if (negative) ++pos_;
        bool hex = text_[pos_] == '$';
        if (hex) ++pos_;
        int64_t value = Digits(hex ? 16 : 10);
        if (pos_ < text_.size() && IsIdentChar(text_[pos_]))
            throw ELayoutError(line_, "bad number");
        t.kind = Tok::Integer;
        t.number = negative ? -value : value;
        return t;
    }

    // 'quoted'#13#10'more': adjacent pieces form one string.
    Token String(Token t) {
        t.kind = Tok::String;
        while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
            if (text_[pos_] == '#') {
                ++pos_;
                bool hex = pos_ < text_.size() && text_[pos_] == '$';
                if (hex) ++pos_;
                int64_t code = Digits(hex ? 16 : 10);
                if (code > 255) throw ELayoutError(line_, "character code above 255");
                t.text += static_cast<char>(code);
                continue;
            }
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n')
                    throw ELayoutError(t.line, "string without closing quote");
                char c = text_[pos_++];
                if (c != '\'') {
                    t.text += c;
                } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                    t.text += '\'';
                    ++pos_;
                } else {
                    break;
                }
            }
        }
        return t;
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

struct Fixup {
    TComponent* component;
    TObject* target;
    const TPropInfo* property;
    std::string value;
    int line;
};

class Reader {
public:
    Reader(TComponent& root, std::string_view text, const TLayoutResourceFinder& resources)
        : root_(root), lexer_(text), resources_(resources) {}

    void Run() {
        Advance();
        try {
            ReadObject(nullptr);
            if (token_.kind != Tok::End) Fail("text after the final 'end'");
            ResolveFixups();
        } catch (...) {
            LeaveLoading();
            throw;
        }
        for (TComponent* c : loaded_) c->Loaded();
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw ELayoutError(token_.line, what); }

    void Advance() { token_ = lexer_.Next(); }

    bool IsWord(std::string_view word) const {
        return token_.kind == Tok::Ident && SameText(token_.text, word);
    }

    bool IsSymbol(char c) const { return token_.kind == Tok::Symbol && token_.text[0] == c; }

    void Expect(char c) {
        if (!IsSymbol(c)) Fail(std::string("'") + c + "' expected");
        Advance();
    }

    std::string ExpectIdent(const char* what) {
        if (token_.kind != Tok::Ident) Fail(std::string(what) + " expected");
        std::string text = token_.text;
        Advance();
        return text;
    }

    void LeaveLoading() {
        // Without Loaded: the read failed, but no component stays marked as loading.
        for (TComponent* c : loaded_) c->TComponent::Loaded();
    }

    // object Name: Class ... end
    void ReadObject(TComponent* container) {
        if (!IsWord("object")) Fail("'object' expected");
        int line = token_.line;
        Advance();
        std::string name = ExpectIdent("component name");
        Expect(':');
        std::string className = ExpectIdent("class name");
        TComponent* component =
            container ? Create(*container, name, className, line) : FillRoot(name, className, line);
        while (!IsWord("end")) {
            if (token_.kind == Tok::End)
                throw ELayoutError(line, "object " + name + " without 'end'");
            if (IsWord("object"))
                ReadObject(component);
            else
                ReadProperty(*component);
        }
        Advance();
    }

    TComponent* FillRoot(const std::string& name, const std::string& className, int line) {
        if (!SameText(className, root_.ClassName()))
            throw ELayoutError(line, "the layout is of class " + className + ", not " +
                                         root_.ClassName());
        Named(root_, name, line);
        Begin(root_);
        return &root_;
    }

    TComponent* Create(TComponent& container, const std::string& name, const std::string& className,
                       int line) {
        const TClassInfo* info = FindClassInfo(className);
        if (!info) throw ELayoutError(line, "class " + className + " not found");
        if (!info->GetFactory())
            throw ELayoutError(line, "class " + className + " cannot be created");
        if (root_.FindComponent(name))
            throw ELayoutError(line, "a component named " + name + " already exists");
        TComponent* component = info->GetFactory()(&root_);
        Begin(*component);
        Named(*component, name, line);
        if (!container.AddLoadedChild(*component))
            throw ELayoutError(line, container.ClassName() + " cannot contain " + className);
        return component;
    }

    void Begin(TComponent& component) {
        component.BeginLoading();
        loaded_.push_back(&component);
    }

    void Named(TComponent& component, const std::string& name, int line) {
        try {
            component.SetName(name);
        } catch (const Exception& e) {
            throw ELayoutError(line, e.Message());
        }
    }

    // Walks "Font.Name" to the object and property it names.
    std::pair<TObject*, const TPropInfo*> Resolve(TComponent& component, const std::string& path) {
        TObject* target = &component;
        size_t start = 0;
        for (;;) {
            size_t dot = path.find('.', start);
            std::string part = path.substr(start, dot == std::string::npos ? dot : dot - start);
            const TPropInfo* info = FindPropInfo(*target, part);
            if (!info) Fail("property " + path + " not found on " + component.ClassName());
            if (dot == std::string::npos) return {target, info};
            if (info->kind != TPropKind::Object) Fail(part + " has no properties of its own");
            target = info->getObject(*target);
            start = dot + 1;
        }
    }

    void ReadProperty(TComponent& component) {
        int line = token_.line;
        std::string path = ExpectIdent("property name or 'end'");
        auto [target, info] = Resolve(component, path);
        Expect('=');
        try {
            Assign(component, *target, *info, line);
        } catch (const ELayoutError&) {
            throw;
        } catch (const Exception& e) {
            throw ELayoutError(line, path + ": " + e.Message());
        }
    }

    std::string ReadString() {
        if (token_.kind != Tok::String) Fail("string expected");
        std::string text = token_.text;
        Advance();
        while (IsSymbol('+')) {
            Advance();
            if (token_.kind != Tok::String) Fail("string expected after '+'");
            text += token_.text;
            Advance();
        }
        return text;
    }

    void Assign(TComponent& component, TObject& target, const TPropInfo& info, int line) {
        switch (info.kind) {
        case TPropKind::Integer:
            return AssignInteger(target, info);
        case TPropKind::Enum:
            return AssignEnum(target, info);
        case TPropKind::Set:
            return AssignSet(target, info);
        case TPropKind::String:
            return info.setStr(target, ReadString());
        case TPropKind::Strings:
            return AssignStrings(target, info);
        case TPropKind::Binary:
            return AssignBinary(target, info, line);
        case TPropKind::Component:
        case TPropKind::Event:
            fixups_.push_back({&component, &target, &info, ExpectIdent("name"), line});
            return;
        case TPropKind::Object:
            Fail(info.name + " cannot be assigned as a whole");
        }
    }

    void AssignInteger(TObject& target, const TPropInfo& info) {
        if (token_.kind == Tok::Integer) {
            info.setOrd(target, token_.number);
            Advance();
            return;
        }
        int line = token_.line;
        std::string text = token_.kind == Tok::String ? ReadString() : ExpectIdent("value");
        int64_t value = 0;
        if (!info.identToInt || !info.identToInt(text, value))
            throw ELayoutError(line, "invalid value '" + text + "' for " + info.name);
        info.setOrd(target, value);
    }

    void AssignEnum(TObject& target, const TPropInfo& info) {
        int line = token_.line;
        std::string word = ExpectIdent("value name");
        int index = EnumValueIndex(info, word);
        if (index < 0) throw ELayoutError(line, "invalid value " + word + " for " + info.name);
        info.setOrd(target, index);
    }

    void AssignSet(TObject& target, const TPropInfo& info) {
        Expect('[');
        int64_t bits = 0;
        while (!IsSymbol(']')) {
            int line = token_.line;
            std::string word = ExpectIdent("set member");
            int index = EnumValueIndex(info, word);
            if (index < 0 || index >= 64)
                throw ELayoutError(line, "invalid member " + word + " of " + info.name);
            bits |= int64_t{1} << index;
            if (IsSymbol(','))
                Advance();
            else if (!IsSymbol(']'))
                Fail("',' or ']' expected");
        }
        Advance();
        info.setOrd(target, bits);
    }

    void AssignStrings(TObject& target, const TPropInfo& info) {
        Expect('(');
        TStringList lines;
        while (!IsSymbol(')')) lines.Add(ReadString());
        Advance();
        info.getStrings(target)->Assign(lines);
    }

    void AssignBinary(TObject& target, const TPropInfo& info, int line) {
        std::vector<uint8_t> bytes;
        if (IsSymbol('{')) {
            bytes = lexer_.HexBlock(line);
        } else if (IsWord("resource")) {
            Advance();
            if (token_.kind != Tok::String) Fail("resource name expected");
            std::string name = token_.text;
            auto found = resources_ ? resources_(name) : std::nullopt;
            if (!found) Fail("resource " + name + " not found");
            bytes = std::move(*found);
        } else {
            Fail("'{' or 'resource' expected");
        }
        Advance();
        TMemoryStream stream(std::move(bytes));
        info.readBinary(target, stream);
    }

    TComponent* FindByName(const std::string& name) {
        if (SameText(name, root_.Name())) return &root_;
        return root_.FindComponent(name);
    }

    void ResolveFixups() {
        for (const Fixup& f : fixups_) {
            try {
                f.property->kind == TPropKind::Component ? Reference(f) : Handler(f);
            } catch (const ELayoutError&) {
                throw;
            } catch (const Exception& e) {
                throw ELayoutError(f.line, f.property->name + ": " + e.Message());
            }
        }
    }

    void Reference(const Fixup& f) {
        TComponent* other = SameText(f.value, "nil") ? nullptr : FindByName(f.value);
        if (!other && !SameText(f.value, "nil"))
            throw ELayoutError(f.line, "component " + f.value + " not found");
        if (!f.property->setComponent(*f.target, other))
            throw ELayoutError(f.line, f.value + " is not a valid " + f.property->name);
    }

    void Handler(const Fixup& f) {
        const std::any* method = root_.FindMethod(f.value);
        if (!method) throw ELayoutError(f.line, "handler " + f.value + " not found");
        if (!f.property->setEvent(*f.target, *method))
            throw ELayoutError(f.line, "handler " + f.value + " does not fit " + f.property->name);
    }

    TComponent& root_;
    Lexer lexer_;
    const TLayoutResourceFinder& resources_;
    Token token_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
};

} // namespace

void ReadLayout(TComponent& root, std::string_view text, const TLayoutResourceFinder& resources) {
    Reader reader(root, text, resources);
    reader.Run();
}
