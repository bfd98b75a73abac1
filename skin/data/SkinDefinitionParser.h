#pragma once
// Internal to the skin definition parser: the steps of ParseSkinDefinition, split over
// SkinDefinition.cpp (frame, colours, buttons, caption) and SkinImageObjects.cpp (control
// images and frame counts). Each step reads what earlier steps filled in.
#include "skin/data/IniFile.h"
#include "skin/data/SkinDefinition.h"

namespace kv::detail {

struct DefinitionParser {
    const TIniFile& ini;
    const SkinEntryLookup& entries;
    TSkinDefinition& def;

    void Image(PixelBuffer& image, std::string_view section, std::string_view key) const {
        LoadEntryBitmap(image, ini.ReadString(section, key), entries);
    }
    int32_t Int(std::string_view section, std::string_view key, int32_t fallback) const {
        return ini.ReadInteger(section, key, fallback);
    }
    SkinColour Colour(std::string_view section, std::string_view key, SkinColour fallback) const;
    // A frame count below 1 would divide by zero or give negative cells: it falls back.
    int32_t FrameCount(std::string_view section, std::string_view key, int32_t fallback) const;

    void ReadBorders();
    void ReadNamedColours();
    void ReadColourTable();
    void ReadSysButtons();
    void ReadMdiButtons(size_t first);
    void ReadButtons();
    void ReadTitle();
    void ReadProgress();
    void ReadMenuBar();
    void ReadImageObjects();
    void DeriveFrameCounts();
};

} // namespace kv::detail
