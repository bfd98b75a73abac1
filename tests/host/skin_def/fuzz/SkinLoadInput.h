#pragma once
// The whole skin load in one piece, from packed bytes to skin objects: the body of the skin
// load fuzz target, shared with the corpus replay test. Aborts on a broken promise.
#include "skin/data/Lzh.h"
#include "skin/data/SkinDefinition.h"

#include <cstdlib>
#include <span>

namespace skinload_fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

inline void CheckImage(const kv::PixelBuffer& image) {
    Check(image.Empty() || (image.Width() >= 1 && image.Height() >= 1 &&
                            image.Width() <= kv::kMaxSide && image.Height() <= kv::kMaxSide));
}

inline void CheckDefinition(const kv::TSkinDefinition& def) {
    Check(def.SysButtons.size() >= kv::kMdiButtonCount &&
          def.SysButtons.size() <= kv::kMaxSysButtonSections + kv::kMdiButtonCount);
    for (const auto& b : def.SysButtons) {
        Check(b && b->FrameCount >= 1);
        CheckImage(b->Bitmap);
    }
    for (const auto* border : {&def.BorderLeft, &def.BorderRight, &def.BorderTop,
                               &def.BorderBottom}) {
        Check(border->FrameCount >= 1);
        CheckImage(border->Bitmap);
    }
    Check(def.Buttons.RadioFrameCount >= 1 && def.Buttons.CheckFrameCount >= 1);
}

// The bytes as a packed skin, and as an unpacked package that is packed first (so mutations
// of names, sizes and the definition reach the parser instead of breaking the stream).
inline void LoadAnySkin(std::span<const uint8_t> bytes) {
    if (auto def = kv::LoadPackedSkin(bytes)) CheckDefinition(*def);
    if (bytes.size() > (size_t(1) << 16)) return; // packing is the slow half
    if (auto def = kv::LoadPackedSkin(kv::TLZH::Pack(bytes))) CheckDefinition(*def);
}

} // namespace skinload_fuzz
