// TStrings (an abstract list of text lines with an object per line) and TStringList.
//
// Contract:
//  - Indexes run 0..Count()-1; anything else throws EStringListError naming the index.
//  - Text and loading: lines split at CR LF, CR or LF; a final line break does not add an
//    empty line. Saving and Text() end every line, the last one too, with CR LF.
//  - Strings are bytes in the running system's ANSI code page; nothing is converted.
//  - Objects() are borrowed: the list never deletes them.
//  - Name=value lines: Names(i) is the text before the first '=', Values(name) the text after
//    it on the first line whose name matches without regard to case.
//  - TStringList keeps its lines in memory; Sorted keeps them in case-insensitive order and
//    with Duplicates == dupIgnore / dupError refuses a second equal line (Add returns the
//    existing index / throws). OnChange fires after every change (once per Assign or
//    SetText; not while between BeginUpdate and EndUpdate, then once at the end).
#pragma once

#include "ui/classes/Component.h"

class TStream;

class TStrings : public TObject {
    KV_CLASS(TStrings, TObject)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual TObject* Objects(int index) const;
    virtual void SetObjects(int index, TObject* object);
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& text);
    int AddObject(const std::string& text, TObject* object);
    virtual int IndexOf(std::string_view text) const; // case-insensitive, -1 if absent
    void Exchange(int a, int b);

    std::string operator[](int index) const { return Get(index); }

    std::string Text() const;
    virtual void SetText(std::string_view text);
    std::string CommaText() const;
    void Assign(const TStrings& other);
    void AddStrings(const TStrings& other);

    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, const std::string& value);
    int IndexOfName(std::string_view name) const;

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& path);
    void SaveToFile(const std::string& path) const;

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return updateCount_ > 0; }

    // Splits text at CR LF, CR or LF.
    static std::vector<std::string> SplitLines(std::string_view text);

protected:
    virtual void SetUpdateState(bool) {}
    void CheckIndex(int index, int count) const;

private:
    int updateCount_ = 0;
};

enum class TDuplicates { dupAccept, dupIgnore, dupError };

class TStringList : public TStrings {
    KV_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines);

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& text) override;
    int IndexOf(std::string_view text) const override;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }
    void Sort();
    // Sorted lists: true and the index when found; else false and where it would go.
    bool Find(std::string_view text, int& index) const;

    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void Changed();

    std::vector<Item> items_;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
    bool changedWhileUpdating_ = false;
};

// Case-insensitive comparison of ANSI text (ASCII letters fold; other bytes compare as bytes).
int CompareText(std::string_view a, std::string_view b);
