#pragma once

#include <memory>
#include <type_traits>

namespace vq3 {

// A Windows handle of type Handle, released with Release when its owner goes.
template <typename Handle, auto Release> struct HandleRelease {
    void operator()(Handle handle) const { Release(handle); }
};
template <typename Handle, auto Release>
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleRelease<Handle, Release>>;

} // namespace vq3
