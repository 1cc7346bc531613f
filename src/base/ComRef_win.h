// Taking over a COM reference that is already counted (one returned by an API, or one that
// came with a posted message).
#pragma once
#include <wrl/client.h>

// MinGW's ComPtr::Attach adds a reference of its own, unlike the Windows SDK's, so a pointer
// attached with it is never freed. This takes the reference over with either header.
template <typename T, typename U>
void AdoptRef(Microsoft::WRL::ComPtr<T>& target, U* owned) {
  *target.ReleaseAndGetAddressOf() = owned;
}
