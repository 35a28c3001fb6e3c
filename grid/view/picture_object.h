// A picture object for hosts: a bitmap the grid can draw, such as its BackgroundPicture. It
// publishes the standard picture members Width and Height (pixels).
// A host makes one from a PNG file or from pixels.
#pragma once

#include <memory>
#include <string>

#include "platform/gfx/bitmap.h"
#include "runtime/automation.h"

namespace lattix {

class PictureObject final : public AutomationObject {
public:
    explicit PictureObject(gfx::Bitmap bitmap) : bitmap_(std::move(bitmap)) {}
    static std::shared_ptr<PictureObject> Create(gfx::Bitmap bitmap) {
        return std::make_shared<PictureObject>(std::move(bitmap));
    }
    // Throws std::runtime_error when the file cannot be read as a PNG picture.
    static std::shared_ptr<PictureObject> FromPng(const std::string& path);

    const TypeInfo& typeInfo() const override { return ClassTypeInfo(); }
    static const TypeInfo& ClassTypeInfo();

    const gfx::Bitmap& bitmap() const { return bitmap_; }
    int32_t Width() const { return bitmap_.width(); }
    int32_t Height() const { return bitmap_.height(); }

private:
    gfx::Bitmap bitmap_;
};

// The picture inside a variant: a PictureObject, Nothing (no picture) or Empty; anything else raises
// a type mismatch.
std::shared_ptr<PictureObject> PictureFromVariant(const Variant& v);

} // namespace lattix
