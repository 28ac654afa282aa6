#pragma once

namespace cadhost {

// DXF text of a new drawing (R2000): Model and "Layout1" with its own viewport.
extern const char* const kSkeletonDxf;

} // namespace cadhost
