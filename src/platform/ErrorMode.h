#pragma once

namespace platform {

// Keeps the system from showing error boxes for drives without a medium or missing files.
void suppressSystemErrorBoxes();

} // namespace platform
