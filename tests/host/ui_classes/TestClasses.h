// Small component classes with one property of each kind, for the layout and property tests.
#pragma once

#include "ui/classes/Component.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"
#include "ui/classes/Strings.h"

#include <string>
#include <vector>

// Records Loaded calls in order across all test components.
std::vector<std::string>& LoadedLog();

enum class TShade { shLight, shDark, shNone };

class TSample : public TComponent {
    KV_CLASS(TSample, TComponent)
public:
    using TComponent::TComponent;
    ~TSample() override;

    int Width() const { return width_; }
    void SetWidth(int w) {
        if (w < 0) throw EPropertyError("width below zero");
        width_ = w;
    }
    bool Flat() const { return flat_; }
    void SetFlat(bool f) {
        flat_ = f;
        flatSetWhileLoading_ = IsLoading();
    }
    TShade Shade() const { return shade_; }
    void SetShade(TShade s) { shade_ = s; }
    int64_t Options() const { return options_; }
    void SetOptions(int64_t o) { options_ = o; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    TStringList& Lines() { return lines_; }
    TSample* Partner() const { return partner_; }
    void SetPartner(TSample* p);
    int Color() const { return color_; }
    void SetColor(int c) { color_ = c; }

    void ReadBlob(TStream& s);
    void WriteBlob(TStream& s) const { s.WriteBuffer(blob_.data(), blob_.size()); }
    const std::vector<uint8_t>& Blob() const { return blob_; }

    TNotifyEvent OnPing;
    void SetOnPing(const TNotifyEvent& e) { OnPing = e; }

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TSample*> children;
    bool flatSetWhileLoading_ = false;
    bool wasLoadingInLoaded_ = false;
    int loadedCalls = 0;
    std::vector<std::string>* destroyLog = nullptr;

    void Loaded() override;

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    int width_ = 0;
    bool flat_ = false;
    TShade shade_ = TShade::shLight;
    int64_t options_ = 0;
    std::string caption_;
    TStringList lines_;
    TSample* partner_ = nullptr;
    int color_ = 0;
    std::vector<uint8_t> blob_;
};

// A root class of its own, as a program's form class would be.
class TSampleRoot : public TSample {
    KV_CLASS(TSampleRoot, TSample)
public:
    using TSample::TSample;
};

// Has no Flat property: set-by-name must leave it alone.
class TPlain : public TComponent {
    KV_CLASS(TPlain, TComponent)
public:
    using TComponent::TComponent;
    void Loaded() override;
};
