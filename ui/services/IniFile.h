#pragma once
// Profile (ini) files through the Windows profile functions.
//
// Contract:
//  - The file name is used as given; pass a full path (a bare name means the Windows folder
//    to the profile functions).
//  - Reads never fail: a missing file, section or key gives the default. ReadInteger takes an
//    optional sign and decimal digits, or hexadecimal after "$" or "0x"; anything else, or a
//    number outside int, gives the default. Values of any length are read whole.
//  - Writes raise EIniFileException naming the file when the system reports failure (an
//    unwritable folder, a read-only file): a failed write is never silent.
//  - Section and key names and values are ANSI text of the system code page.
#include "ui/classes/Exception.h"

#include <string>
#include <vector>

class EIniFileException : public Exception {
    using Exception::Exception;
};

class TIniFile {
public:
    explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    bool SectionExists(const std::string& section) const;
    std::vector<std::string> ReadSection(const std::string& section) const; // key names

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);
    // Flushes the system's cached copy of the file.
    void UpdateFile();

private:
    std::vector<char> ReadRaw(const char* section, const char* key, const char* def) const;
    void Write(const char* section, const char* key, const char* value);

    std::string fileName_;
};

// The parse ReadInteger uses; false for anything that is not a whole int.
bool ParseIniInteger(const std::string& text, int& value);
