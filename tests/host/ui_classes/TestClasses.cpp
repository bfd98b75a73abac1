#include "TestClasses.h"

std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

KV_DEFINE_CLASS(TSample, TComponent, [](TPropertyBuilder<TSample>& p) {
    p.Integer("Width", &TSample::Width, &TSample::SetWidth);
    p.Bool("Flat", &TSample::Flat, &TSample::SetFlat);
    p.Enum("Shade", {"shLight", "shDark", "shNone"}, &TSample::Shade, &TSample::SetShade);
    p.Set("Options", {"soOne", "soTwo", "soThree"}, &TSample::Options, &TSample::SetOptions);
    p.String("Caption", &TSample::Caption, &TSample::SetCaption);
    p.Strings("Lines", &TSample::Lines);
    p.Component<TSample>("Partner", &TSample::Partner, &TSample::SetPartner);
    p.Binary("Blob", &TSample::ReadBlob, &TSample::WriteBlob);
    p.Event<TNotifyEvent>("OnPing", &TSample::SetOnPing);
    TPropInfo& color = p.Integer("Color", &TSample::Color, &TSample::SetColor);
    color.identToInt = [](std::string_view s, int64_t& v) {
        if (s == "clRed")
            v = 0xFF;
        else if (s == "Ctrl+O")
            v = 0x4000 + 'O';
        else
            return false;
        return true;
    };
})
KV_DEFINE_PLAIN_CLASS(TSampleRoot, TSample)
KV_DEFINE_PLAIN_CLASS(TPlain, TComponent)

TSample::~TSample() {
    if (destroyLog) destroyLog->push_back(Name());
}

void TSample::SetPartner(TSample* p) {
    partner_ = p;
    if (p) FreeNotification(p);
}

void TSample::ReadBlob(TStream& s) {
    // Stored as a 4-byte length and that many bytes, the way a packed stream is kept.
    uint32_t n = 0;
    s.ReadBuffer(&n, 4);
    // A length past the stream is refused before anything is allocated for it.
    if (n > s.Size() - s.Seek(0, TSeekOrigin::soCurrent)) throw EReadError("Blob too long");
    blob_.resize(n);
    s.ReadBuffer(blob_.data(), n);
}

bool TSample::AddLoadedChild(TComponent& child) {
    // Samples contain anything; only samples are listed as children.
    if (auto* sample = dynamic_cast<TSample*>(&child)) children.push_back(sample);
    return true;
}

void TSample::Loaded() {
    wasLoadingInLoaded_ = IsLoading();
    ++loadedCalls;
    TComponent::Loaded();
    LoadedLog().push_back(Name());
}

void TSample::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == partner_) partner_ = nullptr;
    if (op == TOperation::opRemove) std::erase(children, c);
}

void TPlain::Loaded() {
    TComponent::Loaded();
    LoadedLog().push_back(Name());
}
