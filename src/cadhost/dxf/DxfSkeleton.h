#pragma once

namespace cadhost {

// DXF text of a new drawing (R2000): Model and "Layout1" with its own viewport.
const char* skeletonDxf();

} // namespace cadhost
