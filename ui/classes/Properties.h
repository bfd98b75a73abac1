// Declaring published properties and reading or writing them by name.
//
// Contract:
//  - TPropertyBuilder<C> is handed to the definer of KV_DEFINE_CLASS; its methods take member
//    function pointers of C (or lambdas on C&) and add one TPropInfo each.
//  - The by-name functions never throw for a missing property: they answer false / nullopt, so
//    that a caller can set "Flat" to "True" on whatever has it and leave the rest alone. They
//    do throw what the property's own setter throws.
//  - Enumeration value names compare without regard to case; Boolean is the enumeration
//    ("False", "True").
//  - The class registry maps class names to factories for the layout reader; registering a
//    class twice is harmless.
#pragma once

#include "ui/classes/Object.h"

#include <optional>

template <class C> class TPropertyBuilder {
public:
    explicit TPropertyBuilder(TClassInfo& info) : info_(info) {}

    template <class G, class S> TPropInfo& Integer(std::string name, G getter, S setter) {
        TPropInfo p = Named(std::move(name), TPropKind::Integer);
        p.getOrd = [getter](const TObject& o) {
            return static_cast<int64_t>(std::invoke(getter, static_cast<const C&>(o)));
        };
        p.setOrd = [setter](TObject& o, int64_t v) { SetOrdinal(setter, static_cast<C&>(o), v); };
        return info_.AddProperty(std::move(p));
    }

    template <class G, class S> TPropInfo& Bool(std::string name, G getter, S setter) {
        TPropInfo& p = Integer(std::move(name), getter, setter);
        p.kind = TPropKind::Enum;
        p.valueNames = {"False", "True"};
        return p;
    }

    template <class G, class S>
    TPropInfo& Enum(std::string name, std::vector<std::string> values, G getter, S setter) {
        TPropInfo& p = Integer(std::move(name), getter, setter);
        p.kind = TPropKind::Enum;
        p.valueNames = std::move(values);
        return p;
    }

    // Getter and setter work on the bit set: value i is bit i.
    template <class G, class S>
    TPropInfo& Set(std::string name, std::vector<std::string> values, G getter, S setter) {
        TPropInfo& p = Integer(std::move(name), getter, setter);
        p.kind = TPropKind::Set;
        p.valueNames = std::move(values);
        return p;
    }

    template <class G, class S> TPropInfo& String(std::string name, G getter, S setter) {
        TPropInfo p = Named(std::move(name), TPropKind::String);
        p.getStr = [getter](const TObject& o) {
            return std::string(std::invoke(getter, static_cast<const C&>(o)));
        };
        p.setStr = [setter](TObject& o, const std::string& v) {
            std::invoke(setter, static_cast<C&>(o), v);
        };
        return info_.AddProperty(std::move(p));
    }

    // The list itself is the object's; assigning replaces its lines.
    template <class G> TPropInfo& Strings(std::string name, G getter) {
        TPropInfo p = Named(std::move(name), TPropKind::Strings);
        p.getStrings = [getter](TObject& o) -> TStrings* {
            return &std::invoke(getter, static_cast<C&>(o));
        };
        return info_.AddProperty(std::move(p));
    }

    template <class R, class W> TPropInfo& Binary(std::string name, R reader, W writer) {
        TPropInfo p = Named(std::move(name), TPropKind::Binary);
        p.readBinary = [reader](TObject& o, TStream& s) {
            std::invoke(reader, static_cast<C&>(o), s);
        };
        p.writeBinary = [writer](const TObject& o, TStream& s) {
            std::invoke(writer, static_cast<const C&>(o), s);
        };
        return info_.AddProperty(std::move(p));
    }

    // T: the component kind the property takes; anything else is refused.
    template <class T, class G, class S>
    TPropInfo& Component(std::string name, G getter, S setter) {
        TPropInfo p = Named(std::move(name), TPropKind::Component);
        p.getComponent = [getter](const TObject& o) -> TComponent* {
            return std::invoke(getter, static_cast<const C&>(o));
        };
        p.setComponent = [setter](TObject& o, TComponent* c) {
            T* typed = dynamic_cast<T*>(c);
            if (c && !typed) return false;
            std::invoke(setter, static_cast<C&>(o), typed);
            return true;
        };
        return info_.AddProperty(std::move(p));
    }

    // F: the handler type (std::function<...>); a published handler of another type is refused.
    template <class F, class S> TPropInfo& Event(std::string name, S setter) {
        TPropInfo p = Named(std::move(name), TPropKind::Event);
        p.setEvent = [setter](TObject& o, const std::any& handler) {
            const F* typed = std::any_cast<F>(&handler);
            if (!typed) return false;
            std::invoke(setter, static_cast<C&>(o), *typed);
            return true;
        };
        return info_.AddProperty(std::move(p));
    }

    template <class G> TPropInfo& Object(std::string name, G getter) {
        TPropInfo p = Named(std::move(name), TPropKind::Object);
        p.getObject = [getter](TObject& o) -> TObject* {
            return &std::invoke(getter, static_cast<C&>(o));
        };
        return info_.AddProperty(std::move(p));
    }

private:
    static TPropInfo Named(std::string name, TPropKind kind) {
        TPropInfo p;
        p.name = std::move(name);
        p.kind = kind;
        return p;
    }
    template <class S> static void SetOrdinal(S setter, C& object, int64_t v) {
        using Arg = typename ArgOf<S>::type;
        std::invoke(setter, object, static_cast<Arg>(v));
    }
    template <class S> struct ArgOf;
    template <class R, class K, class A> struct ArgOf<R (K::*)(A)> {
        using type = std::remove_cvref_t<A>;
    };

    TClassInfo& info_;
};

// --- Access by name ---------------------------------------------------------------------------

const TPropInfo* FindPropInfo(const TObject& object, std::string_view name);
bool HasProperty(const TObject& object, std::string_view name);

// Enumerated (and Boolean) properties by value name: SetEnumProp(button, "Flat", "True").
// False when the object has no such enumerated property or the name is not one of its values.
bool SetEnumProp(TObject& object, std::string_view name, std::string_view valueName);
std::optional<std::string> GetEnumProp(const TObject& object, std::string_view name);

// Integer, enumerated and set properties as numbers.
bool SetOrdProp(TObject& object, std::string_view name, int64_t value);
std::optional<int64_t> GetOrdProp(const TObject& object, std::string_view name);

bool SetStrProp(TObject& object, std::string_view name, const std::string& value);
std::optional<std::string> GetStrProp(const TObject& object, std::string_view name);

// Sets as text: "[xcMainMenu,xcPopupMenu]" (brackets optional, blanks ignored). False on an
// unknown value name; nothing is changed then.
bool SetSetProp(TObject& object, std::string_view name, std::string_view text);
std::optional<std::string> GetSetProp(const TObject& object, std::string_view name);

// The index of a value name in valueNames, or -1.
int EnumValueIndex(const TPropInfo& info, std::string_view valueName);

// --- Class registry ---------------------------------------------------------------------------

void RegisterClassInfo(const TClassInfo& info);
template <class T> void RegisterComponentClass() {
    RegisterClassInfo(T::StaticClass());
}
// A registered class by name (case-insensitive), or nullptr.
const TClassInfo* FindClassInfo(std::string_view name);
