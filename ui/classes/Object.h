// The root of the framework's classes, with run-time class information and published
// properties.
//
// Contract:
//  - Every framework class declares KV_CLASS(Self, Parent) in its body and defines its class
//    information once in a .cpp with KV_DEFINE_CLASS; ClassName() is then the T-name ("TButton",
//    "TForm1"), which is also the window class a windowed control registers.
//  - A class's published properties are listed once, when its class information is first used.
//    Lookup walks from the class to its ancestors; names compare without regard to case.
//  - TClassInfo objects live for the whole program (function-local statics); pointers to them
//    and to their TPropInfo entries stay valid.
//  - Classes constructible from (TComponent* owner) get a factory so that layouts can create
//    them by class name once they are registered (RegisterComponentClass<T>(), see Properties.h).
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TObject;
class TComponent;
class TStream;
class TStrings;
class TClassInfo;

enum class TPropKind {
    Integer,   // whole numbers; identifiers through an optional converter (colours, shortcuts)
    String,    // text
    Enum,      // one of a list of value names; Boolean is the enumeration False, True
    Set,       // a subset of value names, stored as bits (value i is bit i)
    Strings,   // a string list, assigned line by line
    Binary,    // bytes read and written by the component's own stream routines
    Component, // a reference to another component of the same layout, by name
    Event,     // a handler published by the layout's root, by name
    Object,    // a sub-object with properties of its own (Font.Name = ...)
};

// One published property. Only the accessors of its kind are set.
struct TPropInfo {
    std::string name;
    TPropKind kind = TPropKind::Integer;
    std::vector<std::string> valueNames; // Enum and Set
    std::function<int64_t(const TObject&)> getOrd;
    std::function<void(TObject&, int64_t)> setOrd;
    // Integer properties that also accept an identifier (clWindowText, "Ctrl+O"); empty result
    // means "not an identifier of this property".
    std::function<bool(std::string_view, int64_t&)> identToInt;
    std::function<std::string(const TObject&)> getStr;
    std::function<void(TObject&, const std::string&)> setStr;
    std::function<TStrings*(TObject&)> getStrings;
    std::function<void(TObject&, TStream&)> readBinary;
    std::function<void(const TObject&, TStream&)> writeBinary;
    std::function<TComponent*(const TObject&)> getComponent;
    std::function<bool(TObject&, TComponent*)> setComponent; // false: wrong kind of component
    std::function<bool(TObject&, const std::any&)> setEvent; // false: handler of another type
    std::function<TObject*(TObject&)> getObject;
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    TClassInfo(std::string name, const TClassInfo* parent, Factory factory)
        : name_(std::move(name)), parent_(parent), factory_(factory) {}
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    Factory GetFactory() const { return factory_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool InheritsFrom(std::string_view className) const;

    // The property of that name on this class or its nearest ancestor, or nullptr.
    const TPropInfo* FindProperty(std::string_view name) const;
    // Every property, ancestors first.
    std::vector<const TPropInfo*> AllProperties() const;

    TPropInfo& AddProperty(TPropInfo info);

private:
    std::string name_;
    const TClassInfo* parent_;
    Factory factory_;
    std::vector<std::unique_ptr<TPropInfo>> properties_;
};

#define KV_CLASS(Self, Parent)                                                                     \
public:                                                                                            \
    using inherited = Parent;                                                                      \
    static const TClassInfo& StaticClass();                                                        \
    const TClassInfo& ClassType() const override {                                                 \
        return Self::StaticClass();                                                                \
    }

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType().Name(); }
    bool InheritsFrom(std::string_view className) const {
        return ClassType().InheritsFrom(className);
    }
};

namespace kv_detail {
template <class T> TComponent* Create(TComponent* owner) {
    return new T(owner);
}
template <class T> constexpr TClassInfo::Factory FactoryOf() {
    if constexpr (std::is_constructible_v<T, TComponent*> && !std::is_abstract_v<T>)
        return &Create<T>;
    else
        return nullptr;
}
} // namespace kv_detail

template <class C> class TPropertyBuilder;

// KV_DEFINE_CLASS(TButton, TWinControl, [](TPropertyBuilder<TButton>& p) { p.Bool(...); })
// defines TButton::StaticClass(). The definer runs once, on first use.
#define KV_DEFINE_CLASS(Self, Parent, ...)                                                         \
    const TClassInfo& Self::StaticClass() {                                                        \
        static const TClassInfo& info = []() -> const TClassInfo& {                                \
            static TClassInfo made(#Self, &Parent::StaticClass(), kv_detail::FactoryOf<Self>());   \
            TPropertyBuilder<Self> builder(made);                                                  \
            (__VA_ARGS__)(builder);                                                                \
            return made;                                                                           \
        }();                                                                                       \
        return info;                                                                               \
    }

// A class without published properties of its own.
#define KV_DEFINE_PLAIN_CLASS(Self, Parent)                                                        \
    KV_DEFINE_CLASS(Self, Parent, [](TPropertyBuilder<Self>&) {})

bool SameText(std::string_view a, std::string_view b);
