// An image list object for hosts: icons of one size that a grid (SetImageList), its header bar
// (Header.SetImageList) or a drop-down list (ComboObject.SetImageList) draws. It publishes
// ImageWidth, ImageHeight, ListCount and hImageList; the handle passes the list as a number while
// the object lives, so a host may hand over either.
#pragma once

#include <memory>
#include <string>

#include "platform/gfx/image_list.h"
#include "runtime/automation.h"

namespace lattix {

class ImageListObject final : public AutomationObject {
public:
    explicit ImageListObject(std::shared_ptr<gfx::ImageList> list);
    ~ImageListObject() override;
    ImageListObject(const ImageListObject&) = delete;
    ImageListObject& operator=(const ImageListObject&) = delete;
    static std::shared_ptr<ImageListObject> Create(std::shared_ptr<gfx::ImageList> list) {
        return std::make_shared<ImageListObject>(std::move(list));
    }
    // Icons of width x height cut from a PNG strip. Throws std::runtime_error when the file cannot
    // be read and std::invalid_argument for sizes that do not fit.
    static std::shared_ptr<ImageListObject> FromPng(const std::string& path, int width, int height);

    const TypeInfo& typeInfo() const override { return ClassTypeInfo(); }
    static const TypeInfo& ClassTypeInfo();

    const std::shared_ptr<gfx::ImageList>& list() const { return list_; }
    int32_t Handle() const { return handle_; }

private:
    std::shared_ptr<gfx::ImageList> list_;
    int32_t handle_;
};

// The image list an argument names: an image list object, or the handle of one that still lives.
// Empty, Nothing and the number 0 name no list (nullptr); anything else raises error 518.
std::shared_ptr<gfx::ImageList> ImageListFromVariant(const Variant& v);

} // namespace lattix
